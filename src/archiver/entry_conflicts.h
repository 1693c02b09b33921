#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archiver {

struct NamedEntry {
  std::string name;  // as the restore reads it; folders end in "/"
  std::uint64_t index;
  // The stored bytes, when they are no UTF-8: libzip then looks the entry up under a spelling of
  // its own and cannot replace it with a new entry of either name.
  std::string stored = {};
};

// The entries of an archive being updated that cannot stay beside the new names once a file
// has become a folder, a folder a file or a link: an old file or link "x" when a new name is
// "x/" or lies below it, and every old name below "x/" when "x" is now a file or a link.
// Restoring both would bring back only the stale side. Also an old entry with stored bytes of
// its own whose name or bytes a new entry has: libzip would keep it beside the new one, the
// same file twice, or refuse the new one. Returns their indices, each once.
[[nodiscard]] std::vector<std::uint64_t> ConflictingEntries(const std::vector<NamedEntry>& old_entries,
                                                            const std::vector<std::string>& new_names);

}  // namespace archiver
