#include "explorer/folder_reader.h"

#include "platform/file_items.h"

namespace explorer {

int FolderProblem(const std::string& path) {
  return platform::file_operations::items::FolderProblem(path);
}

}  // namespace explorer
