// Puts its argument on the clipboard through the program's own call and ends, as the program
// does after a "Copy" in the explorer: the toolkit's whole start and end run around it.
#include <wx/app.h>

#include "platform/clipboard.h"

namespace {

class ClipboardOwner : public wxApp {
 public:
  // The toolkit's own would take the text for an unknown option and wait on a message box.
  bool OnInit() override { return true; }
  int OnRun() override {
    if (argc != 2) return 2;
    return platform::clipboard::SetText(argv[1].utf8_string()) ? 0 : 1;
  }
};

}  // namespace

wxIMPLEMENT_APP(ClipboardOwner);
