#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/files.h"

namespace platform::files {

// The longest line read from a child's messages.
inline constexpr std::size_t kMaxMessageLineBytes = 64 * 1024;

// Reads a chunk into buffer: the bytes read, 0 at the end, or -1 on failure.
using ReadChunk = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

// ReadLines' splitting, whatever the system reads with: fills result.lines as ReadLines
// describes. False when read failed; the caller then knows why.
bool SplitLines(const ReadChunk& read, std::size_t max_lines, std::size_t max_line_bytes, LinesRead& result);

}  // namespace platform::files
