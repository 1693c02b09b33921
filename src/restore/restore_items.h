#pragma once

#include <string>

// The restore list's items, one per archive, in fixed columns (1-based): 1-5 the running
// number, 7-18 the archive's name, 20-59 the folder line's description cut or padded to 40
// characters, 61 onwards its folder path. The window reads its items back by these columns.
namespace restore {

std::string RestoreListItem(int number, const std::string& archive, const std::string& description,
                            const std::string& path);

struct RestoreEntry {
  int number = 0;  // 0 when the item holds none
  std::string archive;
  std::string description;  // trimmed
  std::string path;         // trimmed
};
RestoreEntry ReadRestoreItem(const std::string& item);

}  // namespace restore
