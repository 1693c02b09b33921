#include "explorer/tree_click.h"

namespace testing_support {

void SelectAsUser(wxTreeCtrl& tree, const wxTreeItemId& node) { tree.SelectItem(node); }

}  // namespace testing_support
