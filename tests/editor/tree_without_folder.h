#pragma once

#include "picker/system_tree_view.h"
#include "store/profile_state.h"

namespace editor {

// Selects, in the picker's tree, an item that stands for no folder, as a person may: the
// root of the picker's own tree, or a virtual folder ("Computer", "Network") of the shell's.
// Fails the test when the tree offers none; afterwards Path_Scelto is "".
void SelectAnItemWithoutFolder(picker::System_TreeView_Rete& picker, const store::ProfileState& state);

}  // namespace editor
