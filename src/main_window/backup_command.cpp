// The backup: every folder line of the profile packed into its own archive in the data folder.
#include <ctime>

#include "main_window/backup_jobs.h"
#include "main_window/main_window.h"
#include "platform/dialogs.h"
#include "platform/local_time.h"
#include "platform/text.h"
#include "store/profile_file.h"

namespace main_window {

bool MainWindow::TakeProfileName() {
  state_.Nome_Copia = platform::text::Trim(txtNome_Copia->GetValue().utf8_string());
  if (state_.Nome_Copia.empty()) {
    platform::BeepAndMessage("Selezionare una copia personalizzata o inserirne una nuova !!!");
    return false;
  }
  if (auto problem = store::ProfileNameProblem(state_.Nome_Copia)) {
    platform::BeepAndMessage(*problem);
    return false;
  }
  return true;
}

bool MainWindow::RefuseWhileBackupRuns() {
  if (!BackupInProgress()) return false;
  platform::BeepAndMessage("Attendere la fine della copia in corso !!!");
  return true;
}

void MainWindow::OnBackup() {
  if (RefuseWhileBackupRuns() || !TakeProfileName()) return;
  store::LEGGI_COPIA(state_);
  // The date is read once, so a run across midnight names all its archives alike.
  const std::time_t now = std::time(nullptr);
  const std::tm today = platform::ToLocalTime(now);
  if (state_.Num_Righe <= 0) {
    EndOfBackup(*this);
    return;
  }
  Command1->SetLabel(kWaitCaption);
  SetProfileCommandsEnabled(false);
  backup_run_ = std::make_unique<BackupRun>(
      *this, BackupJobs(state_, today.tm_mday, today.tm_mon + 1, archiver));
}

}  // namespace main_window
