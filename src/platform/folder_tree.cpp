#include "platform/folder_tree.h"

#include <wx/utils.h>

#include <algorithm>

#include "platform/drives.h"
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
