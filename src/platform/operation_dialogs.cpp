#include "platform/operation_dialogs.h"
#include "platform/dialog_parent.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/progdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>

#include <algorithm>

namespace platform {
namespace {

// Short operations finish before a window could be read; only longer ones show one.
constexpr long kShowProgressAfterMs = 500;
// Redrawing the bar on every small file would cost more than the copy itself.
constexpr long kProgressRedrawMs = 50;


class ReplaceDialog final : public wxDialog {
 public:
  ReplaceDialog(const std::string& text, const std::string& title)
      : wxDialog(DialogParent(), wxID_ANY, wxString::FromUTF8(title)) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(text)), 0, wxALL, 12);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    const std::pair<int, const char*> choices[] = {
        {wxID_YES, "Sì"}, {kYesToAll, "Sì a tutti"}, {wxID_NO, "No"}, {wxID_CANCEL, "Annulla"}};
    for (const auto& [id, caption] : choices) {
      auto* button = new wxButton(this, id, wxString::FromUTF8(caption));
      button->Bind(wxEVT_BUTTON, [this, id = id](wxCommandEvent&) { EndModal(id); });
      buttons->Add(button, 0, wxALL, 4);
    }
    column->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(column);
    SetEscapeId(wxID_CANCEL);
    CentreOnParent();
  }

  static constexpr int kYesToAll = wxID_HIGHEST + 1;
};

class WxProgress final : public ProgressReport {
 public:
  explicit WxProgress(const std::string& title) : title_(title) {}

  bool Update(int percent, const std::string& text) override {
    if (!dialog_) {
      if (clock_.Time() < kShowProgressAfterMs) return true;
      dialog_ = std::make_unique<wxProgressDialog>(
          wxString::FromUTF8(title_), wxString::FromUTF8(text), 100, DialogParent(),
          wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_ELAPSED_TIME | wxPD_REMAINING_TIME);
      last_redraw_ = clock_.Time();
    } else if (clock_.Time() - last_redraw_ < kProgressRedrawMs) {
      return true;
    }
    last_redraw_ = clock_.Time();
    // 100 would close the window before the caller has finished.
    return dialog_->Update(std::clamp(percent, 0, 99), wxString::FromUTF8(text));
  }

 private:
  std::string title_;
  wxStopWatch clock_;
  long last_redraw_ = 0;
  std::unique_ptr<wxProgressDialog> dialog_;
};

class WxBackend final : public OperationDialogBackend {
 public:
  ReplaceAnswer AskReplace(const std::string& text, const std::string& title) override {
    ReplaceDialog dialog(text, title);
    switch (dialog.ShowModal()) {
      case wxID_YES: return ReplaceAnswer::Yes;
      case ReplaceDialog::kYesToAll: return ReplaceAnswer::YesToAll;
      case wxID_NO: return ReplaceAnswer::No;
      default: return ReplaceAnswer::Cancel;
    }
  }

  std::unique_ptr<ProgressReport> StartProgress(const std::string& title) override {
    return std::make_unique<WxProgress>(title);
  }
};

}  // namespace

OperationDialogBackend& WxOperationDialogBackend() {
  static WxBackend backend;
  return backend;
}

ReplaceAnswer AskReplace(const std::string& text, const std::string& title) {
  return InstalledOr(WxOperationDialogBackend()).AskReplace(text, title);
}

std::unique_ptr<ProgressReport> StartProgress(const std::string& title) {
  return InstalledOr(WxOperationDialogBackend()).StartProgress(title);
}

}  // namespace platform
