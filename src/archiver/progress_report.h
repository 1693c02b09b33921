#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace archiver {

// How far a backup or a restore has come, told apart from the messages (on the program's
// standard output) a few times a second and once more at the end, one line each:
// "avanzamento FILES_DONE FILES_TOTAL BYTES_DONE BYTES_TOTAL". Only regular files count:
// folders and links take next to no time. The main program shows these figures on its banner;
// nothing depends on them, and a channel that breaks ends the telling, never the run.
// Used from one thread.
class ProgressReport {
 public:
  // Often enough for the banner to move twice a second, seldom enough to cost it next to nothing.
  static constexpr std::chrono::milliseconds kInterval{450};

  // Tells the totals at once, with nothing done yet. Without a channel nothing is told.
  ProgressReport(std::ostream* channel, std::uint64_t files, std::uint64_t bytes);

  void AddBytes(std::uint64_t bytes);
  void AddFile();
  // Back to nothing done: the archive is being written once more.
  void Restart();
  // Tells the figures as they are now, whenever they were last told.
  void Finish();

 private:
  void Tell(bool now);

  std::ostream* channel_;
  const std::uint64_t files_total_;
  const std::uint64_t bytes_total_;
  std::uint64_t files_done_ = 0;
  std::uint64_t bytes_done_ = 0;
  std::chrono::steady_clock::time_point last_told_;
};

}  // namespace archiver
