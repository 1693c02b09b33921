#include "picker/shell_tree.h"

// Linux has no shell folder dialog to borrow a tree from: the picker shows its own.
namespace picker::shell_tree {

const char* const kStartFolder = "/";
const char* const kTreeClass = "";

Browse BrowseForFolder(System_TreeView_Rete&, const std::string&, const char*) {
  return Browse::NoTree;
}
bool HoldsTree() { return false; }
void SizeTreeView(const wxSize&) {}
void SetBrowsePath(const std::string&) {}
void ReturnTreeView() {}

}  // namespace picker::shell_tree
