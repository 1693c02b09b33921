#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archiver {

struct NamedEntry {
  std::string name;  // in UTF-8; folders end in "/"
  std::uint64_t index;
  bool respelled = false;  // stored otherwise: in a DOS code page
};

// The entries of an archive being updated that cannot stay beside the new names once a file
// has become a folder, a folder a file or a link: an old file or link "x" when a new name is
// "x/" or lies below it, and every old name below "x/" when "x" is now a file or a link.
// Restoring both would bring back only the stale side. Also an old entry stored in a DOS code
// page under a new name: libzip would keep it beside the new one, the same file twice. Returns
// their indices, each once.
[[nodiscard]] std::vector<std::uint64_t> ConflictingEntries(const std::vector<NamedEntry>& old_entries,
                                                            const std::vector<std::string>& new_names);

}  // namespace archiver
