#pragma once

#include <wx/gdicmn.h>

#include <string>

// The shell's own folder tree, borrowed for the folder-tree picker: the system's folder dialog
// runs out of sight while its tree works inside the picker's PicBrowse. One picker at a time.
// Where the system has no such dialog (Linux) nothing is borrowed and the picker shows a tree
// of its own.
namespace picker {

class System_TreeView_Rete;

namespace shell_tree {

// The folder the editor's picker opens at: the first drive's root.
extern const char* const kStartFolder;

// The window class of the dialog's tree.
extern const char* const kTreeClass;

enum class Browse {
  Ended,       // through ReturnTreeView
  EndedEarly,  // on its own, before ReturnTreeView: the tree has gone back to it
  NoTree,      // at once, the dialog closed unseen: no tree could be taken
};

// Runs the folder dialog, never shown, with start selected and its tree (the dialog's direct
// child of window class tree_class) taken into host's PicBrowse; every selection reaches
// host.BrowsePath and host.PathChange(). Returns when the dialog has ended.
Browse BrowseForFolder(System_TreeView_Rete& host, const std::string& start, const char* tree_class);

// A borrowed tree sits in the host now.
bool HoldsTree();

// SizeTreeView: the borrowed tree fills PicBrowse's inner area (in pixels).
void SizeTreeView(const wxSize& inner);

// SetBrowsePath: selects path in the borrowed tree; the selection change reaches the host.
void SetBrowsePath(const std::string& path);

// Hands the tree back to the dialog and ends the dialog, which ends BrowseForFolder.
void ReturnTreeView();

}  // namespace shell_tree
}  // namespace picker
