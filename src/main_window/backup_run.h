#pragma once

#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "runner/run_sequence.h"
#include "runner/timed_run.h"

namespace main_window {

class MainWindow;

// A backup in progress: its lines show on the main window's banner ("Copia 2 di 5: Documenti",
// then how far the line has come), and at the end the window hears how it went and gets its commands back.
class BackupRun final : private runner::RunReport {
 public:
  BackupRun(MainWindow& window, std::vector<runner::Job> jobs);
  bool finished() const { return run_.finished(); }

 private:
  void LineStarting(int position, int count, const runner::Job& job) override;
  void LineProgress(int position, int count, const runner::Job& job, const std::string& figures) override;
  void RunEnded(const std::vector<runner::LineResult>& results) override;

  MainWindow& window_;
  std::optional<platform::BusyCursor> busy_;
  runner::TimedRun run_;
};

// The main window back to idle after a backup, whether or not anything ran: the backup button's
// caption and the five profile commands come back, the banner shows the title again.
void EndOfBackup(MainWindow& window);

}  // namespace main_window
