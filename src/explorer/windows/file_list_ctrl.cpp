#include "explorer/file_list_ctrl.h"

namespace explorer {

void FileListCtrl::OnMouseUp(std::function<void(wxMouseButton, const wxPoint&)> handler) {
  for (const auto& [type, button] : {std::pair{wxEVT_LEFT_UP, wxMOUSE_BTN_LEFT},
                                     std::pair{wxEVT_MIDDLE_UP, wxMOUSE_BTN_MIDDLE}}) {
    Bind(type, [handler, button = button](wxMouseEvent& e) {
      handler(button, e.GetPosition());
      e.Skip();
    });
  }
  // The native list keeps the right release and sends a context menu in its place, with the
  // point on the screen; from the keyboard it has none, and the menu is the folder's.
  Bind(wxEVT_CONTEXT_MENU, [this, handler](wxContextMenuEvent& e) {
    const wxPoint at = e.GetPosition() == wxDefaultPosition ? wxPoint(-1, -1)
                                                            : ScreenToClient(e.GetPosition());
    handler(wxMOUSE_BTN_RIGHT, at);
  });
}

}  // namespace explorer
