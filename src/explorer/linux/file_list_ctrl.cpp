#include "explorer/file_list_ctrl.h"

namespace explorer {

void FileListCtrl::OnMouseUp(std::function<void(wxMouseButton, const wxPoint&)> handler) {
  // The inner window's class is private to the toolkit: found among the children by address.
  wxWindow* item_area = this;
  for (wxWindow* child : GetChildren())
    if (static_cast<const void*>(child) == static_cast<const void*>(m_mainWin)) item_area = child;
  for (const auto& [type, button] : {std::pair{wxEVT_LEFT_UP, wxMOUSE_BTN_LEFT},
                                     std::pair{wxEVT_MIDDLE_UP, wxMOUSE_BTN_MIDDLE},
                                     std::pair{wxEVT_RIGHT_UP, wxMOUSE_BTN_RIGHT}}) {
    item_area->Bind(type, [handler, button = button](wxMouseEvent& e) {
      handler(button, e.GetPosition());
      e.Skip();
    });
  }
}

}  // namespace explorer
