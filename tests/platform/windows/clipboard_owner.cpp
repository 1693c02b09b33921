// Puts its argument on the clipboard as the program's "Copy" does, with the toolkit's start and end.
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
