#pragma once

#include <wx/listctrl.h>

#include <functional>

namespace explorer {

// The file list, able to tell the window where a mouse button was released over it.
class FileListCtrl final : public wxListCtrl {
 public:
  using wxListCtrl::wxListCtrl;

  // handler(button, point in the list's item area) for every left, middle and right release.
  // On Linux the releases reach an inner window of the toolkit's own list; the native Windows
  // list is one window that keeps its right release for itself and reports a context menu.
  void OnMouseUp(std::function<void(wxMouseButton, const wxPoint&)> handler);
};

}  // namespace explorer
