#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archiver/unique_fd.h"

namespace archiver {

// Opens a regular file for reading without following a final symbolic link and without
// blocking on a FIFO that took the file's place since the folder was listed.
// Throws ItemError naming path.
UniqueFd OpenRegularFile(const std::string& path);

// Reads until buffer is full or the file ends; returns the bytes read. Throws ItemError
// naming path.
[[nodiscard]] std::size_t ReadUpTo(int fd, std::uint8_t* buffer, std::size_t size, const std::string& path);

// Reads size bytes from offset, or fewer where the file ends. Throws ItemError naming path.
[[nodiscard]] std::size_t ReadAt(int fd, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
                                 const std::string& path);

// Reads the rest of the file. Throws ItemError naming path.
std::vector<std::uint8_t> ReadToEnd(int fd, std::size_t expected_size, const std::string& path);

// Writes everything or throws ItemError naming path.
void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path);

// Flushes a file and then its folder to disk, so that a finished rename survives a power
// cut. Throws ItemError naming path.
void SyncFileAndFolder(const std::string& path);

}  // namespace archiver
