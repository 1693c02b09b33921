#pragma once

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <string>

#include "picker/shell_tree.h"
#include "platform/folder_tree.h"
#include "store/profile_state.h"

namespace picker {

inline constexpr const char* kTreeViewCaption = "System Treeview Theft";

// The folder-tree picker: a window whose picture box PicBrowse hosts a folder tree, the one
// borrowed from the shell's folder dialog where the system has one (see shell_tree.h), or its
// own. Every change of the tree's selection publishes the selected folder in Path_Scelto and
// in the caption. The handlers are public so that the program's events and the tests drive
// the same code.
class System_TreeView_Rete : public wxFrame {
 public:
  explicit System_TreeView_Rete(store::ProfileState& state);
  ~System_TreeView_Rete() override;

  // The picker now open, or nullptr.
  static System_TreeView_Rete* Open();

  // BrowsePath into Path_Scelto (with its closing separator, "" when the item has no path)
  // and into the caption.
  void PathChange();
  // Selects path in the tree (or the nearest folder above it that exists) and publishes it.
  void SetBrowsePath(const std::string& path);

  void OnSetPathToAppPath();  // Command1 "Set Path to App.Path"
  void OnConfirm();           // Command2 "Conferma"

  // The path of the item selected last, as the tree gives it.
  std::string BrowsePath;

  wxPanel* PicBrowse = nullptr;
  // The picker's own tree; nullptr while a borrowed shell tree fills PicBrowse.
  platform::FolderTree* tree = nullptr;
  wxButton* Command1 = nullptr;
  wxButton* Command2 = nullptr;

 private:
  friend void BrowseForFolder(store::ProfileState& state, const std::string& start,
                              const char* tree_class);

  void BuildControls();
  void UseOwnTree();
  void LayOutInClientArea();
  void EndBrowse();

  store::ProfileState& state_;
  wxEventLoopBase* browse_loop_ = nullptr;  // the loop BrowseForFolder waits in
};

// Shows the picker with start selected and returns when its window has closed (the editor
// and every other window keep working meanwhile); the folder selected last is then in
// Path_Scelto. The shell's tree is the dialog's child of window class tree_class; when there
// is none the picker's own tree takes its place in the same window, without a word. While a
// picker is already open a second call brings it to the front and returns at once.
void BrowseForFolder(store::ProfileState& state, const std::string& start,
                     const char* tree_class = shell_tree::kTreeClass);

}  // namespace picker
