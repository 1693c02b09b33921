#include "platform/line_splitter.h"

#include <algorithm>
#include <vector>

namespace platform::files {

bool SplitLines(const ReadChunk& read, std::size_t max_lines, std::size_t max_line_bytes, LinesRead& result) {
  std::string line;
  bool in_line = false;
  bool after_cr = false;  // a LF right after a CR belongs to the same line end
  // Small reads: a file without line breaks is read only as far as the bound.
  std::vector<char> buffer(std::clamp<std::size_t>(max_line_bytes + 2, 4096, 64 * 1024));
  while (result.lines.size() < max_lines) {
    const std::ptrdiff_t got = read(buffer.data(), buffer.size());
    if (got < 0) return false;
    if (got == 0) break;
    for (std::ptrdiff_t i = 0; i < got && result.lines.size() < max_lines; ++i) {
      const char c = buffer[static_cast<std::size_t>(i)];
      if (c == '\n' && after_cr) {
        after_cr = false;
        continue;
      }
      after_cr = c == '\r';
      if (c == '\r' || c == '\n') {
        result.lines.push_back(std::move(line));
        line.clear();
        in_line = false;
        continue;
      }
      if (line.size() == max_line_bytes) {
        result.line_too_long = true;
        return true;
      }
      in_line = true;
      line += c;
    }
  }
  if (in_line && result.lines.size() < max_lines) result.lines.push_back(std::move(line));
  return true;
}

}  // namespace platform::files
