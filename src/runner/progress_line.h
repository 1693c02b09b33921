#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the archiver tells of its progress on its standard output, one line at a time:
// "avanzamento FILES_DONE FILES_TOTAL BYTES_DONE BYTES_TOTAL", regular files only. Any other
// program behind the same command line may write anything there, or nothing.
namespace runner {

struct Progress {
  std::uint64_t files_done = 0;
  std::uint64_t files_total = 0;
  std::uint64_t bytes_done = 0;
  std::uint64_t bytes_total = 0;
  bool operator==(const Progress&) const = default;
};

inline constexpr std::string_view kArchiverProgressPrefix = "avanzamento ";

// The figures of one such line (without its line end; a CR before it is allowed); nullopt for
// anything else, figures done beyond their total included.
std::optional<Progress> ParseProgressLine(std::string_view line);

// Cuts what the archiver writes, as it comes in pieces, into lines and keeps the latest
// figures. A line longer than any progress line is dropped whole, however long it grows.
class ProgressLines {
 public:
  // The figures of the last good line that bytes complete; nullopt when they complete none.
  std::optional<Progress> Add(std::string_view bytes);

 private:
  static constexpr std::size_t kLongestLine = 128;
  std::string partial_;
  bool overlong_ = false;  // the current line has outgrown kLongestLine: skipped to its end
};

}  // namespace runner
