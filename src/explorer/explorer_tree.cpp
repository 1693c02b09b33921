// The folder tree: built two levels deep for a drive, then one level ahead of the user.
#include <algorithm>
#include <utility>

#include "explorer/explorer_images.h"
#include "explorer/explorer_window.h"
#include "explorer/folder_node.h"
#include "explorer/folder_reader.h"
#include "explorer/tree_keys.h"
#include "platform/dialogs.h"
#include "platform/user_error.h"
#include "platform/wx_text.h"
#include "platform/errno_text.h"

namespace explorer {
namespace {

using platform::Wx;

// Sets a flag for the length of a scope, then puts back what it was.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), before_(std::exchange(flag, true)) {}
  ~FlagScope() { flag_ = before_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

frmDir::FolderNode& frmDir::Node(const wxTreeItemId& node) const {
  return *static_cast<FolderNode*>(trvDir->GetItemData(node));
}

std::string frmDir::KeyOf(const wxTreeItemId& node) const {
  return node.IsOk() ? Node(node).key : std::string();
}

bool frmDir::TagOf(const wxTreeItemId& node) const { return node.IsOk() && Node(node).tag; }

wxTreeItemId frmDir::NodeByKey(const std::string& key) const {
  const auto found = nodes_.find(key);
  return found == nodes_.end() ? wxTreeItemId() : found->second;
}

std::string frmDir::CurrentFolder() const { return KeyOf(trvDir->GetSelection()); }

void frmDir::OnDriveChange() {
  ClearFiles();
  BuildTree();
}

wxTreeItemId frmDir::AddFolderNode(const wxTreeItemId& parent, const std::string& name) {
  const std::string key = ChildKey(KeyOf(parent), name);
  if (nodes_.count(key)) return {};
  const wxTreeItemId node =
      trvDir->AppendItem(parent, Wx(name), kFolderImage, kSelectedFolderImage, new FolderNode(key));
  nodes_.emplace(key, node);
  return node;
}

void frmDir::LoadSubFolders(const wxTreeItemId& node) {
  Node(node).children_read = true;
  for (const std::string& name : ReadSubfolders(KeyOf(node)))
    if (!AddFolderNode(node, name).IsOk()) return;
}

// A folder in a pseudo file system only shows that it can be opened; it is read when it is.
void frmDir::ReadAhead(const wxTreeItemId& child) {
  if (IsPseudoFileSystem(KeyOf(child))) trvDir->SetItemHasChildren(child, true);
  else LoadSubFolders(child);
}

void frmDir::BuildTree() {
  const int system_drive = static_cast<int>(platform::drives::SystemDriveIndex(drives_));
  if (!platform::drives::IsReady(SelectedDrive()) && drvHDs->GetSelection() != system_drive) {
    drvHDs->SetSelection(system_drive);
    OnDriveChange();
    return;
  }
  const wxTreeItemId root = AddDriveTree();
  if (!rebuilding_) ShowFiles(root);
}

wxTreeItemId frmDir::AddDriveTree() {
  FlagScope quiet(selecting_);
  platform::BusyCursor busy;
  trvDir->DeleteAllItems();
  nodes_.clear();
  const std::string drive = SelectedDrive();
  auto* root_node = new FolderNode(drive);
  root_node->tag = true;
  root_node->children_read = true;
  const wxTreeItemId root = trvDir->AddRoot(Wx(drive), kDriveImage, kDriveImage, root_node);
  nodes_.emplace(drive, root);
  for (const std::string& name : ReadSubfolders(drive)) {
    const wxTreeItemId child = AddFolderNode(root, name);
    if (!child.IsOk()) break;
    ReadAhead(child);
  }
  trvDir->Expand(root);
  trvDir->SelectItem(root);
  return root;
}

void frmDir::OnExpand(const wxTreeItemId& node) {
  FolderNode& folder = Node(node);
  if (folder.tag) return;
  platform::BusyCursor busy;
  if (!folder.children_read) LoadSubFolders(node);
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = trvDir->GetFirstChild(node, cookie); child.IsOk();
       child = trvDir->GetNextChild(node, cookie))
    if (!Node(child).children_read) ReadAhead(child);
  folder.tag = true;
}

void frmDir::OnCollapse(const wxTreeItemId& node) {
  if (KeyOf(node) == CurrentFolder()) ShowFiles(node);
}

void frmDir::OnNodeClick(const wxTreeItemId& node) {
  if (KeyOf(node) != last_shown_folder_) ShowFiles(node);
}

bool frmDir::OnTreeKeyDown(int key_code) {
  if (key_code != WXK_F5) return false;
  RefreshTree();
  return true;
}

void frmDir::RefreshTree() {
  reselect_path_ = CurrentFolder();
  {
    FlagScope rebuild(rebuilding_);
    BuildTree();
  }
  SelectPath();
}

void frmDir::SelectPath() {
  wxTreeItemId node = trvDir->GetSelection();
  if (!node.IsOk()) return;
  if (FolderProblem(reselect_path_) != 0) {
    // The folder is gone. The list must still show the selected folder's files, since every
    // file command joins the two.
    if (KeyOf(node) != last_shown_folder_) ShowFiles(node);
    return;
  }
  for (const std::string& key : WalkKeys(KeyOf(node), reselect_path_)) {
    // Opening the parent adds the next level, where the walk looks next.
    OnExpand(node);
    trvDir->Expand(node);
    const wxTreeItemId next = NodeByKey(key);
    if (!next.IsOk()) break;
    node = next;
    SelectQuietly(node);
  }
  trvDir->EnsureVisible(node);
  ShowFiles(node);
}

void frmDir::SelectQuietly(const wxTreeItemId& node) {
  FlagScope quiet(selecting_);
  trvDir->SelectItem(node);
}

void frmDir::RecoverFromUnreadableFolder(int error_number) {
  platform::ShowMessage(platform::ErrnoText(error_number), kExplorerCaption,
                       platform::MessageIcon::Critical);
  // The root itself may be what cannot be read: one rebuild, not one for every failure.
  if (recovering_) return;
  FlagScope recovering(recovering_);
  reselect_path_ = last_shown_folder_;
  BuildTree();
  SelectPath();
}

void frmDir::OnTreeContextMenu() {
  const wxTreeItemId node = trvDir->GetSelection();
  if (!node.IsOk()) return;
  const bool is_trash =
      IsRecycleFolder(KeyOf(node), trvDir->GetItemText(node).utf8_string(), hooks_.trashFolders());
  PopUp(is_trash ? *mnuDir3 : *mnuDir2);
}

}  // namespace explorer
