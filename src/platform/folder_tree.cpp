#include "platform/folder_tree.h"

#include <wx/treectrl.h>
#include <wx/utils.h>

#include <algorithm>

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform {
namespace {

// Image numbers of the toolkit's file icon table.
constexpr int kFolderImage = 0;
constexpr int kDriveImage = 3;

}  // namespace

FolderTree::FolderTree(wxWindow* parent) {
  // Created here rather than by the base constructor, so that the tree is filled through
  // this class's SetupSections.
  Create(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
         wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
}

void FolderTree::SetupSections() {
  AddSection(wxGetHomeDir(), "Cartella personale", kFolderImage);
  for (const drives::Drive& drive : drives::ListDrives())
    AddSection(wxString::FromUTF8(drive.mount_point), wxString::FromUTF8(drive.label), kDriveImage);
}

void FolderTree::ExpandDir(wxTreeItemId parent) {
  wxTreeCtrl& tree = *GetTreeCtrl();
  auto* data = static_cast<wxDirItemData*>(tree.GetItemData(parent));
  if (parent == tree.GetRootItem() || data == nullptr || data->m_isExpanded) {
    wxGenericDirCtrl::ExpandDir(parent);  // the sections themselves, or nothing left to do
    return;
  }
  wxBusyCursor busy;
  const std::string folder = data->m_path.utf8_string();
  const std::optional<std::vector<std::string>> read = files::VisibleSubfolders(folder);
  if (!read) return;  // asked again at the next opening: a drive may be made ready meanwhile
  data->m_isExpanded = true;
  std::vector<wxString> names;
  for (const std::string& name : *read) names.push_back(wxString::FromUTF8(name));
  std::sort(names.begin(), names.end(), [](const wxString& a, const wxString& b) { return a.CmpNoCase(b) < 0; });
  tree.SetItemHasChildren(parent, !names.empty());
  for (const wxString& name : names) {
    const wxString path = wxString::FromUTF8(paths::Join(folder, name.utf8_string()));
    const wxTreeItemId item = AppendItem(parent, name, wxFileIconsTable::folder, -1, new wxDirItemData(path, name, true));
    tree.SetItemImage(item, wxFileIconsTable::folder_open, wxTreeItemIcon_Expanded);
    tree.SetItemHasChildren(item);  // found out when opened: looking now is slow on a network drive
  }
}

std::string FolderTree::SelectedPath() const { return GetPath().utf8_string(); }

bool FolderTree::SelectFolder(const std::string& path) {
  std::string folder = path;
  // The tree's own paths carry no closing separator, only the roots do ("/", "C:\").
  const std::size_t root = paths::DriveRoot(path).size();
  while (folder.size() > std::max<std::size_t>(root, 1) && folder.back() == paths::kSeparator) folder.pop_back();
  return ExpandPath(wxString::FromUTF8(folder));
}

void FolderTree::OnSelectionChanged(std::function<void()> handler) {
  Bind(wxEVT_DIRCTRL_SELECTIONCHANGED, [handler = std::move(handler)](wxTreeEvent& event) {
    handler();
    event.Skip();
  });
}

}  // namespace platform
