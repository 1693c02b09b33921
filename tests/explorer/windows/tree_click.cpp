#include "explorer/tree_click.h"

#include <windows.h>
#include <commctrl.h>

namespace testing_support {

void SelectAsUser(wxTreeCtrl& tree, const wxTreeItemId& node) {
  ::SendMessageW(static_cast<HWND>(tree.GetHWND()), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(node.GetID()));
}

}  // namespace testing_support
