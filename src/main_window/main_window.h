#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "main_window/backup_run.h"
#include "main_window/main_window_link.h"
#include "runner/archiver_commands.h"
#include "store/profile_state.h"

namespace main_window {

inline constexpr const char* kMainCaption =
    "Gestione personalizzata salvataggi archivi e documenti - PAG.1  -  Vers. 01.01 - 14/06/03";
inline constexpr const char* kBackupCaption = "ESEGUE COPIA PERSONALIZZATA";
inline constexpr const char* kRestoreCaption = "Ripristina copia precedente";
inline constexpr const char* kWaitCaption = "ATTENDERE PREGO";

// What the main window starts that lives outside it.
struct MainWindowHooks {
  std::function<void(MainWindowLink&)> openEditor;  // shows the profile editor for Nome_Copia
  std::function<void()> endProgram;
};

// Form1: the list of profiles and the commands on them. The handlers are public so that the
// program's events and the tests drive the same code.
class MainWindow : public wxFrame, public MainWindowLink {
 public:
  MainWindow(store::ProfileState& state, MainWindowHooks hooks);

  // LEGGI_FILES_COPIA_DAT: rebuilds List1, or beeps and says no profile was found.
  void RebuildList();

  void OnListClick();
  void OnBackup();      // Command1 "ESEGUE COPIA PERSONALIZZATA"
  void OnRestore();     // Command5 "Ripristina copia precedente"
  bool BackupInProgress() const { return backup_run_ && !backup_run_->finished(); }
  void OnListDoubleClick();
  void OnConfirm();     // Command2 "Conferma"
  void OnNewProfile();  // Command3 "Nuova copia personalizzata"
  void OnModify();      // Command6 "Modifica"
  void OnDelete();      // Command7 "Cancella"
  void OnHelp();        // Command8 "Help / Aiuto"
  void OnEnd();         // Command4 "F i n e"

  // MainWindowLink
  void DisableForChild() override;
  void GiveBack() override;
  void SetProfileCommandsEnabled(bool enabled) override;
  void SetRestoreCaption(const std::string& caption) override;
  void SetDescriptionText(const std::string& description) override;
  void SetBanner(const std::string& text) override;

  store::ProfileState& state() { return state_; }

  wxListBox* List1 = nullptr;
  wxTextCtrl* txtNome_Copia = nullptr;
  wxTextCtrl* txtDescriz_Copia = nullptr;
  wxButton* Command1 = nullptr;  // backup
  wxButton* Command2 = nullptr;  // confirm
  wxButton* Command3 = nullptr;  // new profile
  wxButton* Command4 = nullptr;  // end
  wxButton* Command5 = nullptr;  // restore
  wxButton* Command6 = nullptr;  // modify
  wxButton* Command7 = nullptr;  // delete
  wxButton* Command8 = nullptr;  // help
  wxStaticText* Label6[2] = {nullptr, nullptr};  // banner and its shadow

  // The program that packs and unpacks the archives: the one beside this program.
  std::string archiver = runner::ArchiverPath();

 private:
  void BuildControls();
  void BindEvents();
  // Takes the trimmed name and description from the text boxes into the state; beeps and
  // says what is wrong, returning false, when one of them cannot be used.
  bool TakeNameAndDescription();

  // Says so and returns true while a backup runs: one archiver at a time.
  bool RefuseWhileBackupRuns();
  // Takes the trimmed profile name from its text box into Nome_Copia; beeps and says what is
  // wrong, returning false, when there is none or it cannot name a profile file.
  bool TakeProfileName();

  store::ProfileState& state_;
  MainWindowHooks hooks_;
  std::unique_ptr<BackupRun> backup_run_;
};

}  // namespace main_window
