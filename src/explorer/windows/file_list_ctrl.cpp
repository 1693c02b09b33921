#include "explorer/file_list_ctrl.h"

namespace explorer {

wxWindow* FileListCtrl::ItemArea() const { return const_cast<FileListCtrl*>(this); }

}  // namespace explorer
