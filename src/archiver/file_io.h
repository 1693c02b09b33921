#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archiver/file_handle.h"

namespace archiver {

// What the system says about an open file; times in nanoseconds since 1970.
struct FileState {
  bool regular = false;
  std::uint64_t size = 0;
  std::int64_t mtime = 0;  // seconds, as entries store it
  std::int64_t modified_ns = 0;
  // Moves when the file is renamed or replaced by another, not only when it is written.
  std::int64_t changed_ns = 0;
};

// Opens path to read it, without following a final link and without blocking on a FIFO that
// took a file's place. Throws ItemError naming path.
FileHandle OpenToRead(const std::string& path);

// Throws ItemError naming path.
FileState StateOf(const FileHandle& file, const std::string& path);

// Reads size bytes from offset, or fewer where the file ends. Throws ItemError naming path.
[[nodiscard]] std::size_t ReadAt(const FileHandle& file, std::uint8_t* buffer, std::size_t size,
                                 std::uint64_t offset, const std::string& path);

// Writes everything or throws ItemError naming path.
void WriteAll(const FileHandle& file, const std::uint8_t* data, std::size_t size, const std::string& path);

}  // namespace archiver
