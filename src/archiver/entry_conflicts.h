#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archiver {

struct NamedEntry {
  std::string name;  // folders end in "/"
  std::uint64_t index;
};

// The entries of an archive being updated that cannot stay beside the new names once a file
// has become a folder, a folder a file or a link: an old file or link "x" when a new name is
// "x/" or lies below it, and every old name below "x/" when "x" is now a file or a link.
// Restoring both would bring back only the stale side. Returns their indices, each once.
[[nodiscard]] std::vector<std::uint64_t> ConflictingEntries(const std::vector<NamedEntry>& old_entries,
                                                            const std::vector<std::string>& new_names);

}  // namespace archiver
