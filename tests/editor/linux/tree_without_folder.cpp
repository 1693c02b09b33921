#include "editor/tree_without_folder.h"

#include <gtest/gtest.h>

namespace editor {

void SelectAnItemWithoutFolder(picker::System_TreeView_Rete& picker, const store::ProfileState& state) {
  wxTreeCtrl* tree = picker.tree->GetTreeCtrl();
  tree->SelectItem(tree->GetRootItem());
  EXPECT_EQ(state.Path_Scelto, "");
}

}  // namespace editor
