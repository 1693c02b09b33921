// The file list: the files of the tree's selected folder, its views, mouse, keys and renaming.
#include <wx/wupdlock.h>

#include <cerrno>

#include "explorer/explorer_images.h"
#include "explorer/explorer_window.h"
#include "explorer/file_rename.h"
#include "explorer/folder_reader.h"
#include "explorer/size_text.h"
#include "explorer/tree_keys.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/user_error.h"
#include "platform/errno_text.h"

namespace explorer {
namespace {

const wxColour kGhostText(128, 128, 128);

}  // namespace

void frmDir::ShowFiles(const wxTreeItemId& node) {
  if (!node.IsOk()) return;
  const std::string folder = KeyOf(node);
  ClearFiles();
  int unreadable = 0;
  FolderFiles listing;
  {
    platform::BusyCursor busy;
    wxWindowUpdateLocker frozen(lsvFiles);
    unreadable = FolderProblem(folder);
    if (unreadable == 0) {
      Label1->SetLabelText(wxString::FromUTF8(folder));
      state_.Path_Scelto = ChosenFolder(folder);
      last_shown_folder_ = folder;
      listing = ReadFiles(folder);
      shown_files_ = std::move(listing.files);
      AddFileItems();
    }
  }
  if (unreadable != 0) {
    RecoverFromUnreadableFolder(unreadable);
    return;
  }
  if (listing.error == EACCES)
    platform::ShowMessage("Access denied", kExplorerCaption, platform::MessageIcon::Information);
}

void frmDir::ClearFiles() {
  lsvFiles->DeleteAllItems();
  shown_files_.clear();
}

void frmDir::AddFileItems() {
  const bool with_sizes = lsvFiles->InReportView();
  long index = 0;
  for (const FileEntry& file : shown_files_) {
    const long item = lsvFiles->InsertItem(index++, wxString::FromUTF8(file.name),
                                           file.hidden ? kGhostFileImage : kFileImage);
    if (with_sizes) lsvFiles->SetItem(item, 1, SizeText(file.size));
    if (file.hidden) lsvFiles->SetItemTextColour(item, kGhostText);
  }
}

void frmDir::OnListMouseUp(wxMouseButton button, const wxPoint& at) {
  int flags = 0;
  const long item = lsvFiles->HitTest(at, flags);
  if (button == wxMOUSE_BTN_RIGHT) {
    PopUp(item >= 0 ? *mnuFile : *mnuDir1);
    return;
  }
  over_item_ = item >= 0;
  if (!over_item_) {
    const long selected = SelectedItem();
    if (selected >= 0) lsvFiles->SetItemState(selected, 0, wxLIST_STATE_SELECTED);
  }
}

void frmDir::OnListDoubleClick() {
  if (over_item_ && SelectedItem() >= 0) OpenFile(SelectedFilePath());
}

bool frmDir::OnListKeyDown(int key_code) {
  if (key_code == WXK_F5) {
    ShowFiles(trvDir->GetSelection());
    return true;
  }
  if (key_code == WXK_F2) {
    const long selected = SelectedItem();
    if (selected >= 0) lsvFiles->EditLabel(selected);
    return true;
  }
  return false;
}

void frmDir::OnRenameStart(long item) { rename_old_name_ = lsvFiles->GetItemText(item).utf8_string(); }

bool frmDir::OnRenameEnd(const std::string& new_name) {
  if (new_name == rename_old_name_) return true;
  const int error = RenameInFolder(CurrentFolder(), rename_old_name_, new_name);
  if (error != 0) {
    platform::ShowMessage(platform::ErrnoText(error), "Error #" + std::to_string(error),
                         platform::MessageIcon::Critical);
    return false;
  }
  // The list is still finishing the edit of the item: refill it once that is over.
  CallAfter([this] { ShowFiles(trvDir->GetSelection()); });
  return true;
}

long frmDir::SelectedItem() const {
  return lsvFiles->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

std::string frmDir::SelectedFilePath() const {
  const long selected = SelectedItem();
  if (selected < 0) return {};
  return platform::paths::Join(CurrentFolder(), lsvFiles->GetItemText(selected).utf8_string());
}

}  // namespace explorer
