#include "archiver/progress_report.h"

#include <algorithm>

namespace archiver {

ProgressReport::ProgressReport(std::ostream* channel, std::uint64_t files, std::uint64_t bytes)
    : channel_(channel), files_total_(files), bytes_total_(bytes) {
  Tell(true);
}

void ProgressReport::AddBytes(std::uint64_t bytes) {
  // A file that grew since it was listed must not take the figures past their total.
  bytes_done_ = std::min(bytes_total_, bytes_done_ + bytes);
  Tell(false);
}

void ProgressReport::AddFile() {
  files_done_ = std::min(files_total_, files_done_ + 1);
  Tell(false);
}

void ProgressReport::Restart() {
  files_done_ = bytes_done_ = 0;
  Tell(true);
}

void ProgressReport::Finish() { Tell(true); }

void ProgressReport::Tell(bool now) {
  if (channel_ == nullptr) return;
  const auto time = std::chrono::steady_clock::now();
  if (!now && time - last_told_ < kInterval) return;
  last_told_ = time;
  *channel_ << "avanzamento " << files_done_ << ' ' << files_total_ << ' ' << bytes_done_ << ' ' << bytes_total_
            << '\n'
            << std::flush;
  if (!*channel_) channel_ = nullptr;  // nobody is reading any more
}

}  // namespace archiver
