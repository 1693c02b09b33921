#include "platform/clipboard.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace platform::clipboard {
namespace {

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

ClipboardBackend& WxClipboardBackend() {
  static WxBackend backend;
  return backend;
}

std::optional<std::string> Text() { return InstalledOr(WxClipboardBackend()).Text(); }
bool SetText(const std::string& text) { return InstalledOr(WxClipboardBackend()).SetText(text); }

}  // namespace platform::clipboard
