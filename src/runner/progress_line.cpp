#include "runner/progress_line.h"

#include <charconv>

namespace runner {
namespace {

// One blank, then a number of plain digits that fits; advances text past it.
std::optional<std::uint64_t> Field(std::string_view& text, bool first) {
  if (!first) {
    if (!text.starts_with(' ')) return std::nullopt;
    text.remove_prefix(1);
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

}  // namespace

std::optional<Progress> ParseProgressLine(std::string_view line) {
  if (!line.starts_with(kArchiverProgressPrefix)) return std::nullopt;
  line.remove_prefix(kArchiverProgressPrefix.size());
  if (line.ends_with('\r')) line.remove_suffix(1);
  std::uint64_t values[4];
  for (int i = 0; i < 4; ++i) {
    const auto value = Field(line, i == 0);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  const Progress progress{values[0], values[1], values[2], values[3]};
  if (!line.empty() || progress.files_done > progress.files_total || progress.bytes_done > progress.bytes_total)
    return std::nullopt;
  return progress;
}

std::optional<Progress> ProgressLines::Add(std::string_view bytes) {
  std::optional<Progress> latest;
  for (std::size_t end; (end = bytes.find('\n')) != std::string_view::npos; bytes.remove_prefix(end + 1)) {
    if (!overlong_ && partial_.size() + end <= kLongestLine) {
      partial_.append(bytes.substr(0, end));
      if (const auto progress = ParseProgressLine(partial_)) latest = progress;
    }
    partial_.clear();
    overlong_ = false;
  }
  if (!overlong_ && partial_.size() + bytes.size() <= kLongestLine) {
    partial_.append(bytes);
  } else {
    partial_.clear();
    overlong_ = true;
  }
  return latest;
}

}  // namespace runner
