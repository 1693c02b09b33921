#include "main_window/backup_run.h"

#include "main_window/main_window.h"
#include "runner/run_messages.h"

namespace main_window {

BackupRun::BackupRun(MainWindow& window, std::vector<runner::Job> jobs)
    : window_(window), busy_(std::in_place), run_(std::move(jobs), *this) {}

void BackupRun::LineStarting(int position, int count, const runner::Job& job) {
  window_.SetBanner(runner::ProgressText(runner::RunKind::Backup, position, count, job));
}

void BackupRun::LineProgress(int position, int count, const runner::Job& job, const std::string& figures) {
  window_.SetBanner(runner::ProgressText(runner::RunKind::Backup, position, count, job, figures));
}

void BackupRun::RunEnded(const std::vector<runner::LineResult>& results) {
  busy_.reset();
  runner::ShowEndMessage(runner::RunKind::Backup, results);
  EndOfBackup(window_);
}

void EndOfBackup(MainWindow& window) {
  window.Command1->SetLabel(kBackupCaption);
  window.SetProfileCommandsEnabled(true);
  window.SetBanner("");
}

}  // namespace main_window
