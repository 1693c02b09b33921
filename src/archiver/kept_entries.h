#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archiver/source_tree.h"

// A same-day run keeps the entries of files that have not changed since they were stored, as they
// are: libzip copies an untouched entry without inflating it, so only new and changed files are
// compressed again.
namespace archiver {

// What the archive says of a file it holds.
struct StoredFile {
  std::uint64_t size = 0;
  std::int64_t mtime = 0;
  std::uint8_t made_on = 0;  // the system in "version made by"
  std::uint32_t attributes = 0;
  std::int32_t method = 0;
  std::optional<std::int64_t> stored_at;  // when the run that stored it began
};

// Whether the entry still holds the file as it is now: the same size, time, mode and attributes,
// stored by this archiver, and the file last changed more than 2 seconds before the run that
// stored it began (a change within the same second as the reading keeps size and time; FAT keeps
// times in 2-second steps).
[[nodiscard]] bool StillAsStored(const SourceItem& item, const StoredFile& stored);

// For each of items, whether archive holds an entry of its name that StillAsStored. Nothing is
// kept when the archive is missing, cannot be read, holds a name twice or has a local header that
// disagrees with its central directory: then every file is stored anew and the update itself
// reports what is wrong with the archive.
[[nodiscard]] std::vector<bool> UnchangedFiles(const std::string& archive, const std::vector<SourceItem>& items);

}  // namespace archiver
