#pragma once

#include <wx/treectrl.h>

namespace testing_support {

// Selects node the way a user's click or arrow key does: the tree control itself changes its
// selection and tells the window. On Windows the toolkit's own SelectItem reports the change
// from inside a guard that a handler selecting again in its turn trips over, which a user's
// click never does.
void SelectAsUser(wxTreeCtrl& tree, const wxTreeItemId& node);

}  // namespace testing_support
