#include "restore/archive_search.h"

#include <algorithm>

#include "platform/files.h"
#include "restore/restore_items.h"
#include "runner/archive_names.h"

namespace restore {

std::vector<std::string> CERCA_ARCHIVI(const store::ProfileState& state, const std::string& pattern) {
  std::vector<std::string> names = platform::files::FindFiles(state.Path_Dati, pattern, platform::files::kNamesIgnoreCase);
  std::sort(names.begin(), names.end());
  std::vector<std::string> items;
  for (const std::string& name : names) {
    const int f = runner::DecodeArchiveName(name).line;
    // Only lines 1..100 exist; any other number must not reach the line tables.
    const bool known = f >= 1 && f <= store::kMaxFolderLines;
    items.push_back(RestoreListItem(static_cast<int>(items.size()) + 1, name,
                                    known ? state.Des_Riga[f] : std::string(),
                                    known ? state.Path_Riga[f] : std::string()));
  }
  return items;
}

}  // namespace restore
