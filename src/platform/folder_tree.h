#pragma once

#include <wx/defs.h>  // the toolkit's settings, which the folder control's header needs first
#include <wx/dirctrl.h>

#include <functional>
#include <string>

// A tree of the file system's folders (files are not shown) whose top items are the home
// folder and the drives a user knows ("/" and the real mounts; the drive letters on Windows).
// The folder pickers host it.
namespace platform {

class FolderTree : public wxGenericDirCtrl {
 public:
  explicit FolderTree(wxWindow* parent);

  // The path of the selected item as the file system writes it (a root with its separator,
  // "/" or "C:\", no closing separator otherwise), or "" when no item with a path is selected.
  std::string SelectedPath() const;

  // Opens the tree down to path and selects it; where path does not exist, the deepest
  // existing folder above it is selected instead. False when nothing could be selected.
  bool SelectFolder(const std::string& path);

  // Called after every change of the selection, by the user or by SelectFolder.
  void OnSelectionChanged(std::function<void()> handler);

  void SetupSections() override;

 protected:
  // Lists a folder's subfolders with the program's own call, which reaches folders at any
  // depth: the toolkit's own stops at 260 characters on Windows.
  void ExpandDir(wxTreeItemId parent) override;
};

}  // namespace platform
