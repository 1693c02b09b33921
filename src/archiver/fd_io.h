#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace archiver {

// Reads size bytes from offset, or fewer where the file ends. Throws ItemError naming path.
[[nodiscard]] std::size_t ReadAt(int fd, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
                                 const std::string& path);

// Writes everything or throws ItemError naming path.
void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path);

}  // namespace archiver
