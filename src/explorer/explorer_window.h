#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/treectrl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "explorer/explorer_layout.h"
#include "explorer/folder_reader.h"
#include "explorer/view_modes.h"
#include "platform/drives.h"
#include "store/profile_state.h"

namespace explorer {

inline constexpr const char* kExplorerCaption = "Cartoscope";

// What the explorer reaches outside itself. The defaults are the desktop's; tests put doubles
// in their place so that nothing is launched, no menu blocks and no real trash is touched.
struct ExplorerHooks {
  std::function<std::vector<platform::drives::Drive>()> listDrives;
  std::function<bool(const std::string& path, const std::string& folder)> openFile;
  std::function<bool(const std::string&)> openInTextEditor;
  std::function<void(const std::string&)> showProperties;
  std::function<bool()> shiftIsDown;
  std::function<std::vector<std::string>()> trashFolders;
  std::function<void(wxMenu&)> popupMenu;  // shows a context menu at the mouse
  std::function<void()> closed;            // the window has closed
};

ExplorerHooks DesktopHooks();

// The explorer: drives, a folder tree loaded one level ahead of the user, the files of the
// folder selected in the tree, and the file commands of four context menus. Handlers are
// public so that the toolkit's events and the tests drive the same code.
class frmDir : public wxFrame {
 public:
  frmDir(store::ProfileState& state, ExplorerHooks hooks);
  ~frmDir() override;

  // Folder tree.
  void OnDriveChange();
  void BuildTree();
  void LoadSubFolders(const wxTreeItemId& node);
  void SelectPath();
  void OnExpand(const wxTreeItemId& node);
  void OnCollapse(const wxTreeItemId& node);
  void OnNodeClick(const wxTreeItemId& node);
  // True when the key was the window's own (F5); any other key is left to the tree.
  bool OnTreeKeyDown(int key_code);
  void OnTreeContextMenu();

  // File list.
  void ShowFiles(const wxTreeItemId& node);
  void SwitchView(std::string_view key);
  void OnToolbarButton(int index);
  void OnViewMenu(int index);
  void OnListMouseUp(wxMouseButton button, const wxPoint& at);
  void OnListDoubleClick();
  // True when the key was the window's own (F5, F2); any other key is left to the list.
  bool OnListKeyDown(int key_code);
  void OnRenameStart(long item);
  // False when the file kept its name, so that the list shows the old one again.
  [[nodiscard]] bool OnRenameEnd(const std::string& new_name);

  // Context menus and the file commands.
  void OnFileMenu(int index);
  void OnRightDirMenu(int index);
  void OnLeftDirMenu(int index);
  void OnRecycleMenu();
  void ShellDelete(const std::string& path);
  void PasteFromClipboard();
  void ShowProperties(const std::string& path);

  void OnConfirm();  // Command1 "Conferma"
  void OnCancel();   // Command2 "Annulla"
  void OnResize();

  // The key of the tree's selected node: the folder every command acts on.
  std::string CurrentFolder() const;
  std::string KeyOf(const wxTreeItemId& node) const;
  // Whether the node was opened once and its children's subfolders were added.
  bool TagOf(const wxTreeItemId& node) const;
  wxTreeItemId NodeByKey(const std::string& key) const;
  ViewMode view_mode() const { return view_mode_; }
  const layout::ResizableParts& parts() const { return parts_; }
  bool over_item() const { return over_item_; }

  wxToolBar* tbView = nullptr;
  wxChoice* drvHDs = nullptr;
  wxStaticText* Label1 = nullptr;
  wxTreeCtrl* trvDir = nullptr;
  wxListCtrl* lsvFiles = nullptr;
  wxButton* Command1 = nullptr;
  wxButton* Command2 = nullptr;
  std::unique_ptr<wxImageList> imgGrosse;
  std::unique_ptr<wxImageList> imgIcons;
  std::unique_ptr<wxMenu> mnuFile;   // "Files", on a file of the list
  std::unique_ptr<wxMenu> mnuDir1;   // "RightDir", on the list's empty area
  std::unique_ptr<wxMenu> mnuDir2;   // "LeftDir", on a folder of the tree
  std::unique_ptr<wxMenu> mnuDir3;   // "DirRecycle", on the trash folder
  wxMenu* mnuView = nullptr;         // the View submenu of mnuDir1

 private:
  class FolderNode;
  FolderNode& Node(const wxTreeItemId& node) const;

  void BuildControls();
  void BuildMenus();
  void BindEvents();
  void ApplyParts();
  std::string SelectedDrive() const;

  // Clears the tree and adds the selected drive's root, its folders and theirs; returns the root.
  wxTreeItemId AddDriveTree();
  wxTreeItemId AddFolderNode(const wxTreeItemId& parent, const std::string& name);
  void ReadAhead(const wxTreeItemId& child);
  void RefreshTree();
  // Selects node as the program, not the user: no list fill follows.
  void SelectQuietly(const wxTreeItemId& node);
  void RecoverFromUnreadableFolder(int error_number);

  void ClearFiles();
  // Puts shown_files_ into the list as the current view wants them.
  void AddFileItems();
  long SelectedItem() const;
  std::string SelectedFilePath() const;
  void OpenFile(const std::string& path);
  void PutMarker(const std::string& name, bool copy);
  void DeleteCurrentFolder();
  void PopUp(wxMenu& menu);

  store::ProfileState& state_;
  ExplorerHooks hooks_;
  layout::ResizableParts parts_ = layout::kInitialParts;
  ViewMode view_mode_ = ViewMode::Details;
  std::vector<platform::drives::Drive> drives_;
  std::unordered_map<std::string, wxTreeItemId> nodes_;
  // The files the list shows: the list keeps sizes only in the details view, so the other
  // views are filled again from here when the view changes.
  std::vector<FileEntry> shown_files_;

  std::string reselect_path_;      // the folder SelectPath walks back to
  bool rebuilding_ = false;        // F5 rebuilds the tree: the root's files are not listed
  std::string last_shown_folder_;  // the folder the list shows
  bool selecting_ = false;         // the tree's selection is being set by us, not the user
  bool recovering_ = false;        // rebuilding after a folder could not be opened
  bool over_item_ = false;         // the last mouse release over the list was on an item
  std::string rename_old_name_;
};

}  // namespace explorer
