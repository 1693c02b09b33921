#include "archiver/archive_leftovers.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "archiver/file_io.h"
#include "archiver/item_error.h"

namespace archiver {

namespace {

constexpr char kLocalHeader[] = "PK\3\4";
constexpr char kEndOfCentralDirectory[] = "PK\5\6";
// The end record is 22 bytes and may be followed by a comment of up to 65,535 bytes.
constexpr std::size_t kEndSearchBytes = 22 + 65535;

}  // namespace

bool IsLeftoverName(const std::string& name, const std::string& archive_name) {
  if (name.size() != archive_name.size() + 7 || name.compare(0, archive_name.size(), archive_name) != 0 ||
      name[archive_name.size()] != '.')
    return false;
  return std::all_of(name.end() - 6, name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

bool IsUnfinishedArchive(const FileHandle& file, std::uint64_t size) {
  if (size == 0) return true;
  try {
    std::uint8_t start[4];
    if (ReadAt(file, start, sizeof start, 0, {}) != sizeof start || std::memcmp(start, kLocalHeader, 4) != 0)
      return false;
    const std::size_t tail_size = static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndSearchBytes));
    std::vector<std::uint8_t> tail(tail_size);
    if (ReadAt(file, tail.data(), tail_size, size - tail_size, {}) != tail_size) return false;
    return std::search(tail.begin(), tail.end(), kEndOfCentralDirectory, kEndOfCentralDirectory + 4) == tail.end();
  } catch (const ItemError&) {
    return false;  // what cannot be read is not removed
  }
}

}  // namespace archiver
