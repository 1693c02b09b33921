#pragma once

#include <wx/treebase.h>

#include <string>

#include "explorer/explorer_window.h"

namespace explorer {

// What the tree keeps with each folder node.
class frmDir::FolderNode final : public wxTreeItemData {
 public:
  explicit FolderNode(std::string folder_key) : key(std::move(folder_key)) {}

  std::string key;
  bool tag = false;            // opened once: its children's subfolders were added
  bool children_read = false;  // its own subfolders were added
};

}  // namespace explorer
