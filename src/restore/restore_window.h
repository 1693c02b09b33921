#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main_window/main_window_link.h"
#include "platform/dialogs.h"
#include "runner/run_sequence.h"
#include "runner/timed_run.h"
#include "store/profile_state.h"

namespace restore {

inline constexpr const char* kRestoreWindowCaption = "Ripristino copie personalizzate - PAG.3";
inline constexpr const char* kRestoreWindowName = "Form3";

// Form3: the archives of one profile; the user picks one backup run and restores all of it.
// The handlers are public so that the window's events and the tests drive the same code.
class RestoreWindow : public wxFrame, private runner::RunReport {
 public:
  RestoreWindow(wxWindow* parent, store::ProfileState& state, main_window::MainWindowLink& link,
                std::string archiver, const std::vector<std::string>& items);

  void OnListClick();
  void OnRestore();  // Command5 "Ripristina copia precedente"
  void OnEnd();      // Command4 "Fine / Annulla"
  void OnHelp();     // Command8 "Help / Aiuto"
  bool RunInProgress() const { return run_ && !run_->finished(); }

  wxTextCtrl* txtNome_Copia = nullptr;
  wxTextCtrl* txtDescriz_Copia = nullptr;
  wxListBox* List1 = nullptr;
  wxTextCtrl* txtNum_Copia = nullptr;
  wxTextCtrl* txtDes_Copia = nullptr;
  wxTextCtrl* txtPath_Copia = nullptr;
  wxButton* Command8 = nullptr;  // help
  wxButton* Command5 = nullptr;  // restore
  wxButton* Command4 = nullptr;  // end
  wxStaticText* Label6[2] = {nullptr, nullptr};  // banner and its shadow

 private:
  void BuildControls();
  void BindEvents();
  void PlaceOnScreen();
  void OnClose(wxCloseEvent& event);
  void SetBanner(const std::string& text);

  void LineStarting(int position, int count, const runner::Job& job) override;
  void LineProgress(int position, int count, const runner::Job& job, const std::string& figures) override;
  void RunEnded(const std::vector<runner::LineResult>& results) override;

  store::ProfileState& state_;
  main_window::MainWindowLink& link_;
  std::string archiver_;
  std::optional<platform::BusyCursor> busy_;
  std::unique_ptr<runner::TimedRun> run_;
};

// Shows Form3 with the items CERCA_ARCHIVI found; the main window stays disabled behind it
// until it closes. archiver is the program that unpacks the archives.
RestoreWindow* OpenRestoreWindow(wxWindow* parent, store::ProfileState& state,
                                 main_window::MainWindowLink& link, const std::string& archiver,
                                 const std::vector<std::string>& items);

}  // namespace restore
