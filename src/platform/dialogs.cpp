#include "platform/dialogs.h"
#include "platform/details_dialog.h"
#include "platform/dialog_parent.h"

#include <wx/app.h>
#include <wx/textdlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace platform {
namespace {

std::string OneLineBreakStyle(const std::string& text) {
  // The windows write CR (and CR LF) as line breaks; the toolkit wants LF.
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

class WxBackend final : public DialogBackend {
 public:
  void Beep() override { wxBell(); }

  void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
    long style = wxOK;
    if (icon == MessageIcon::Critical) style |= wxICON_ERROR;
    else if (icon == MessageIcon::Information) style |= wxICON_INFORMATION;
    wxMessageDialog dialog(DialogParent(),
                           wxString::FromUTF8(OneLineBreakStyle(text)), wxString::FromUTF8(title), style);
    dialog.ShowModal();
  }

  void ShowDetailedMessage(const std::string& headline, const std::string& details,
                           const std::string& title) override {
    ShowDetailsDialog(DialogParent(), OneLineBreakStyle(headline), OneLineBreakStyle(details), title);
  }

  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& default_text) override {
    wxTextEntryDialog dialog(DialogParent(),
                             wxString::FromUTF8(OneLineBreakStyle(prompt)), wxString::FromUTF8(title),
                             wxString::FromUTF8(default_text));
    if (dialog.ShowModal() != wxID_OK) return {};
    return dialog.GetValue().utf8_string();
  }

  void SetBusy(bool busy) override {
    if (busy) wxBeginBusyCursor();
    else wxEndBusyCursor();
  }
};

DialogBackend* current = nullptr;

DialogBackend& Current() { return current ? *current : WxDialogBackend(); }

}  // namespace

DialogBackend& WxDialogBackend() {
  static WxBackend backend;
  return backend;
}

void Beep() { Current().Beep(); }

void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
  Current().ShowMessage(text, title, icon);
}

void ShowDetailedMessage(const std::string& headline, const std::string& details,
                         const std::string& title) {
  Current().ShowDetailedMessage(headline, details, title);
}

void BeepAndMessage(const std::string& text) {
  Beep();
  ShowMessage(text);
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& default_text) {
  return Current().InputBox(prompt, title, default_text);
}

BusyCursor::BusyCursor() { Current().SetBusy(true); }
BusyCursor::~BusyCursor() { Current().SetBusy(false); }

ScopedDialogBackend::ScopedDialogBackend(DialogBackend& backend) : previous_(current) {
  current = &backend;
}
ScopedDialogBackend::~ScopedDialogBackend() { current = previous_; }

}  // namespace platform
