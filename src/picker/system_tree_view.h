#pragma once

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <string>

#include "platform/folder_tree.h"
#include "store/profile_state.h"

namespace picker {

inline constexpr const char* kTreeViewCaption = "System Treeview Theft";

// The folder-tree picker: a window whose picture box PicBrowse hosts a folder tree. Every
// change of the tree's selection publishes the selected folder in Path_Scelto and in the
// caption. The handlers are public so that the program's events and the tests drive the same
// code.
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
  platform::FolderTree* tree = nullptr;
  wxButton* Command1 = nullptr;
  wxButton* Command2 = nullptr;

 private:
  friend void BrowseForFolder(store::ProfileState& state, const std::string& start);

  void BuildControls();
  void LayOutInClientArea();
  void EndBrowse();

  store::ProfileState& state_;
  wxEventLoopBase* browse_loop_ = nullptr;  // the loop BrowseForFolder waits in
};

// Shows the picker with start selected and returns when its window has closed (the editor
// and every other window keep working meanwhile); the folder selected last is then in
// Path_Scelto. While a picker is already open a second call brings it to the front and
// returns at once.
void BrowseForFolder(store::ProfileState& state, const std::string& start);

}  // namespace picker
