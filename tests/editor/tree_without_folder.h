#pragma once

#include "picker/system_tree_view.h"
#include "store/profile_state.h"

namespace editor {

// Selects in the picker's tree an item that is no folder (its root, the shell's "Computer").
void SelectAnItemWithoutFolder(picker::System_TreeView_Rete& picker, const store::ProfileState& state);

}  // namespace editor
