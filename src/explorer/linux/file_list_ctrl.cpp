#include "explorer/file_list_ctrl.h"

namespace explorer {

wxWindow* FileListCtrl::ItemArea() const {
  // The inner window's class is private to the toolkit: found among the children by address.
  for (wxWindow* child : GetChildren())
    if (static_cast<const void*>(child) == static_cast<const void*>(m_mainWin)) return child;
  return const_cast<FileListCtrl*>(this);
}

}  // namespace explorer
