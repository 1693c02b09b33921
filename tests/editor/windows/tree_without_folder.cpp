#include "editor/tree_without_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

namespace editor {

void SelectAnItemWithoutFolder(picker::System_TreeView_Rete& picker, const store::ProfileState& state) {
  if (picker.tree) {  // no shell tree to borrow: the picker's own
    wxTreeCtrl* tree = picker.tree->GetTreeCtrl();
    tree->SelectItem(tree->GetRootItem());
    EXPECT_EQ(state.Path_Scelto, "");
    return;
  }
  HWND tree = ::FindWindowExW(static_cast<HWND>(picker.PicBrowse->GetHWND()), nullptr, L"SysTreeView32", nullptr);
  ASSERT_NE(tree, nullptr) << "PicBrowse holds no tree";
  // The shell's tree: the desktop, and below it folders of the file system and virtual ones.
  const HTREEITEM root = TreeView_GetRoot(tree);
  TreeView_Expand(tree, root, TVE_EXPAND);
  for (HTREEITEM item = root; item;
       item = item == root ? TreeView_GetChild(tree, root) : TreeView_GetNextSibling(tree, item)) {
    TreeView_SelectItem(tree, item);
    if (state.Path_Scelto.empty()) return;
  }
  ADD_FAILURE() << "the shell's tree shows no item without a folder";
}

}  // namespace editor
