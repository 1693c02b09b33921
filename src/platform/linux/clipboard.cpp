#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "platform/clipboard.h"

namespace platform::clipboard {
namespace {

// The toolkit's clipboard. Its text outlives the program only where a clipboard manager runs,
// as with every other program on the desktop.
class WxBackend final : public ClipboardBackend {
 public:
  std::optional<std::string> Text() override {
    wxClipboardLocker open;
    if (!open || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return std::nullopt;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data)) return std::nullopt;
    return data.GetText().utf8_string();
  }

  bool SetText(const std::string& text) override {
    wxClipboardLocker open;
    return !!open && wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
  }
};

}  // namespace

ClipboardBackend& SystemClipboardBackend() {
  static WxBackend backend;
  return backend;
}

}  // namespace platform::clipboard
