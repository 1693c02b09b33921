#pragma once

#include <string>

// A folder line read back from the editor's list by its fixed columns: 1-5 the number,
// 7-46 the description as shown (cut to 40 characters), 48 onwards the folder.
namespace editor {

struct ListedLine {
  int number = 0;
  std::string description;  // trimmed
  std::string path;         // trimmed
};

ListedLine ReadListItem(const std::string& item);

}  // namespace editor
