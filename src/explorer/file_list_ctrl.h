#pragma once

#include <wx/listctrl.h>

namespace explorer {

// The file list, able to name the window that receives the mouse over its items.
class FileListCtrl final : public wxListCtrl {
 public:
  using wxListCtrl::wxListCtrl;
  // Where the items are drawn: on Linux an inner window of the toolkit's own list, on Windows
  // the native list itself.
  wxWindow* ItemArea() const;
};

}  // namespace explorer
