#include "archiver/entry_conflicts.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace archiver {

std::vector<std::uint64_t> ConflictingEntries(const std::vector<NamedEntry>& old_entries,
                                              const std::vector<std::string>& new_names) {
  std::unordered_map<std::string, std::uint64_t> by_name;
  std::vector<const NamedEntry*> sorted;
  for (const NamedEntry& entry : old_entries) {
    by_name.emplace(entry.name, entry.index);
    sorted.push_back(&entry);
  }
  std::sort(sorted.begin(), sorted.end(), [](const NamedEntry* a, const NamedEntry* b) { return a->name < b->name; });

  std::set<std::uint64_t> conflicts;
  const std::unordered_set<std::string> replaced(new_names.begin(), new_names.end());
  for (const NamedEntry& entry : old_entries)
    if (!entry.stored.empty() && (replaced.count(entry.name) > 0 || replaced.count(entry.stored) > 0))
      conflicts.insert(entry.index);
  for (const std::string& name : new_names) {
    const bool folder = !name.empty() && name.back() == '/';
    const std::string path = folder ? name.substr(0, name.size() - 1) : name;
    // Every folder on the way (the new folder itself too) must not be an old file or link.
    for (std::size_t slash = path.find('/'); ; slash = path.find('/', slash + 1)) {
      const std::string above = slash == std::string::npos ? path : path.substr(0, slash);
      if (slash != std::string::npos || folder) {
        const auto found = by_name.find(above);
        if (found != by_name.end()) conflicts.insert(found->second);
      }
      if (slash == std::string::npos) break;
    }
    if (folder) continue;
    // A new file or link takes the place of whatever was below a folder of that name.
    const std::string below = name + "/";
    auto first = std::lower_bound(sorted.begin(), sorted.end(), below,
                                  [](const NamedEntry* entry, const std::string& key) { return entry->name < key; });
    for (; first != sorted.end() && (*first)->name.compare(0, below.size(), below) == 0; ++first)
      conflicts.insert((*first)->index);
  }
  return {conflicts.begin(), conflicts.end()};
}

}  // namespace archiver
