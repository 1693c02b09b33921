#include "explorer/explorer_window.h"

#include <wx/artprov.h>
#include <wx/panel.h>
#include <wx/wupdlock.h>

#include <algorithm>

#include "explorer/explorer_images.h"
#include "explorer/file_list_ctrl.h"
#include "explorer/folder_node.h"
#include "explorer/menu_ids.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/properties.h"
#include "platform/text_editor.h"
#include "platform/trash.h"
#include "platform/wx_text.h"

namespace explorer {
namespace {

using platform::Wx;

wxRect Place(const layout::TwipsBox& box) {
  return platform::TwipsRect(box.left, box.top, box.width, box.height);
}

// Appends the captions to menu, item i getting first_id + i; "-" is a separator.
void AppendItems(wxMenu& menu, std::initializer_list<const char*> captions, int first_id) {
  int id = first_id;
  for (std::string_view caption : captions) {
    if (caption == "-") menu.AppendSeparator();
    else menu.Append(id, Wx(caption));
    ++id;
  }
}

std::unique_ptr<wxMenu> MenuOf(std::initializer_list<const char*> captions, int first_id) {
  auto menu = std::make_unique<wxMenu>();
  AppendItems(*menu, captions, first_id);
  return menu;
}

}  // namespace

ExplorerHooks DesktopHooks() {
  ExplorerHooks hooks;
  hooks.listDrives = [] { return platform::drives::ListDrives(); };
  hooks.openFile = [](const std::string& path, const std::string& folder) {
    return platform::OpenFileIn(path, folder);
  };
  hooks.openInTextEditor = [](const std::string& path) { return platform::OpenInTextEditor(path); };
  hooks.showProperties = [](const std::string& path) { platform::properties::ShowItemProperties(path); };
  hooks.shiftIsDown = [] { return platform::ShiftIsDown(); };
  hooks.trashFolders = [] { return platform::trash::TrashFolders(); };
  return hooks;
}

frmDir::frmDir(store::ProfileState& state, ExplorerHooks hooks)
    : wxFrame(nullptr, wxID_ANY, kExplorerCaption), state_(state), hooks_(std::move(hooks)) {
  SetIcon(wxArtProvider::GetIcon(wxART_FOLDER_OPEN, wxART_FRAME_ICON));
  imgGrosse = MakeLargeImages();
  imgIcons = MakeSmallImages();
  BuildControls();
  BuildMenus();
  BindEvents();
  SetClientSize(platform::TwipsSize(layout::kClientWidth, layout::kClientHeight));
  Move(platform::Px(layout::kClientLeft), platform::Px(layout::kClientTop));

  SwitchView("details");
  drives_ = hooks_.listDrives();
  for (const platform::drives::Drive& drive : drives_) drvHDs->Append(Wx(drive.label));
  // Not the first drive: on Windows that can be an empty A:.
  drvHDs->SetSelection(static_cast<int>(platform::drives::SystemDriveIndex(drives_)));
  OnDriveChange();
}

frmDir::~frmDir() {
  // The image lists are shared by the tree and the list and outlive neither.
  trvDir->SetImageList(nullptr);
  lsvFiles->SetImageList(nullptr, wxIMAGE_LIST_NORMAL);
  lsvFiles->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
}

void frmDir::BuildControls() {
  auto* panel = new wxPanel(this);
  // Created in the order the keyboard visits them. The drop-down keeps its place and width;
  // its height is what the toolkit needs to show a drive's name whole.
  const wxRect drives = Place(layout::kDrives);
  drvHDs = new wxChoice(panel, wxID_ANY, drives.GetPosition(), wxSize(drives.width, wxDefaultCoord));
  trvDir = new wxTreeCtrl(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                          wxTR_DEFAULT_STYLE | wxTR_HAS_BUTTONS | wxTR_SINGLE);
  trvDir->SetImageList(imgIcons.get());
  lsvFiles = new FileListCtrl(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_EDIT_LABELS | wxLC_SINGLE_SEL);
  lsvFiles->SetImageList(imgGrosse.get(), wxIMAGE_LIST_NORMAL);
  lsvFiles->SetImageList(imgIcons.get(), wxIMAGE_LIST_SMALL);
  lsvFiles->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, platform::Px(2250));
  lsvFiles->InsertColumn(1, "Size", wxLIST_FORMAT_RIGHT, platform::Px(1440));

  tbView = new wxToolBar(panel, wxID_ANY, Place(layout::kToolbar).GetPosition(),
                         Place(layout::kToolbar).GetSize(),
                         wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_HORZ_LAYOUT);
  for (std::size_t i = 0; i < kViews.size(); ++i)
    tbView->AddRadioTool(kViewToolId + static_cast<int>(i), Wx(kViews[i].caption),
                         ViewButtonBitmap(static_cast<int>(i)));
  tbView->Realize();
  tbView->SetSize(Place(layout::kToolbar));

  Label1 = new wxStaticText(panel, wxID_ANY, "Label1", Place(layout::kLabel).GetPosition(),
                            Place(layout::kLabel).GetSize(), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_START);
  Command1 = new wxButton(panel, wxID_ANY, "Conferma");
  Command2 = new wxButton(panel, wxID_ANY, "Annulla");
  ApplyParts();
}

void frmDir::BuildMenus() {
  mnuFile = MenuOf({"Open", "Open with notepad", "-", "Cut", "Copy", "-", "Delete", "-", "Properties"},
                   kFileMenuId);
  mnuView = new wxMenu;
  for (std::size_t i = 0; i < kViews.size(); ++i)
    mnuView->AppendRadioItem(kViewMenuId + static_cast<int>(i), Wx(kViews[i].caption));
  mnuDir1 = std::make_unique<wxMenu>();
  mnuDir1->Append(kRightDirMenuId, "View", mnuView);
  AppendItems(*mnuDir1, {"-", "Refresh", "-", "Paste", "-", "Properties"}, kRightDirMenuId + 1);
  mnuDir2 = MenuOf({"Refresh", "-", "Cut", "Copy", "Paste", "-", "Delete", "-", "Properties"},
                   kLeftDirMenuId);
  mnuDir3 = MenuOf({"Empty RecycleBin"}, kRecycleMenuId);
}

void frmDir::BindEvents() {
  drvHDs->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnDriveChange(); });

  trvDir->Bind(wxEVT_TREE_ITEM_EXPANDING, [this](wxTreeEvent& e) { OnExpand(e.GetItem()); });
  trvDir->Bind(wxEVT_TREE_ITEM_COLLAPSED, [this](wxTreeEvent& e) { OnCollapse(e.GetItem()); });
  trvDir->Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent& e) {
    if (!selecting_) OnNodeClick(e.GetItem());
  });
  // A right press must not select the node under the mouse: the folder menu acts on the
  // selected folder, so the press is kept from the tree and the menu opens on the release.
  trvDir->Bind(wxEVT_RIGHT_DOWN, [](wxMouseEvent&) {});
  trvDir->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& e) {
    if (trvDir->HitTest(e.GetPosition()).IsOk()) OnTreeContextMenu();
  });
  // Keys the window does not use go on to the controls: arrows, paging, "+" and "-", typing.
  trvDir->Bind(wxEVT_TREE_KEY_DOWN, [this](wxTreeEvent& e) {
    if (!OnTreeKeyDown(e.GetKeyCode())) e.Skip();
  });

  static_cast<FileListCtrl*>(lsvFiles)->OnMouseUp(
      [this](wxMouseButton button, const wxPoint& at) { OnListMouseUp(button, at); });
  lsvFiles->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnListDoubleClick(); });
  lsvFiles->Bind(wxEVT_LIST_KEY_DOWN, [this](wxListEvent& e) {
    if (!OnListKeyDown(e.GetKeyCode())) e.Skip();
  });
  lsvFiles->Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, [this](wxListEvent& e) { OnRenameStart(e.GetIndex()); });
  lsvFiles->Bind(wxEVT_LIST_END_LABEL_EDIT, [this](wxListEvent& e) {
    if (!e.IsEditCancelled() && !OnRenameEnd(e.GetLabel().utf8_string())) e.Veto();
  });

  tbView->Bind(wxEVT_TOOL, [this](wxCommandEvent& e) { OnToolbarButton(e.GetId() - kViewToolId); },
               kViewToolId, kViewToolId + static_cast<int>(kViews.size()) - 1);
  Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnViewMenu(e.GetId() - kViewMenuId); },
       kViewMenuId, kViewMenuId + static_cast<int>(kViews.size()) - 1);
  Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnFileMenu(e.GetId() - kFileMenuId); },
       kFileMenuId, kFileMenuId + kMenuSpan - 1);
  Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnRightDirMenu(e.GetId() - kRightDirMenuId); },
       kRightDirMenuId, kRightDirMenuId + kMenuSpan - 1);
  Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnLeftDirMenu(e.GetId() - kLeftDirMenuId); },
       kLeftDirMenuId, kLeftDirMenuId + kMenuSpan - 1);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnRecycleMenu(); }, kRecycleMenuId);

  Command1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConfirm(); });
  Command2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
  Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
    OnResize();
    e.Skip();
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
    if (hooks_.closed) hooks_.closed();
    Destroy();
  });
}

void frmDir::ApplyParts() {
  using namespace layout;
  // The tree starts below the drop-down where the toolkit made that taller than laid out.
  const wxRect tree = platform::TwipsRect(kTree.left, kTree.top, kTree.width, parts_.tree_height);
  const int covered = std::max(0, drvHDs->GetRect().GetBottom() + 1 - tree.y);
  trvDir->SetSize(tree.x, tree.y + covered, tree.width, std::max(0, tree.height - covered));
  lsvFiles->SetSize(platform::TwipsRect(kList.left, kList.top, parts_.list_width, parts_.list_height));
  Command1->SetSize(platform::TwipsRect(parts_.confirm_left, parts_.confirm_top, kConfirm.width,
                                        kConfirm.height));
  Command2->SetSize(platform::TwipsRect(parts_.cancel_left, parts_.cancel_top, kCancel.width,
                                        kCancel.height));
  Command1->Show(parts_.buttons_visible);
  Command2->Show(parts_.buttons_visible);
}

void frmDir::OnResize() {
  if (IsIconized() || !trvDir) return;
  const wxSize client = GetClientSize();
  parts_ = layout::ResizeLayout(parts_, platform::Twips(client.x) + layout::kFrameWidth,
                                platform::Twips(client.y) + layout::kFrameHeight);
  ApplyParts();
}

void frmDir::SwitchView(std::string_view key) {
  static constexpr long kStyles[] = {wxLC_ICON, wxLC_SMALL_ICON, wxLC_LIST, wxLC_REPORT};
  view_mode_ = ModeForKey(key);
  const int index = ViewIndex(view_mode_);
  const bool was_report = lsvFiles->InReportView();
  lsvFiles->SetSingleStyle(kStyles[index]);
  if (lsvFiles->InReportView() != was_report) {
    const long selected = SelectedItem();
    wxWindowUpdateLocker frozen(lsvFiles);
    lsvFiles->DeleteAllItems();
    AddFileItems();
    if (selected >= 0) lsvFiles->SetItemState(selected, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }
  mnuView->Check(kViewMenuId + index, true);
  tbView->ToggleTool(kViewToolId + index, true);
}

void frmDir::OnToolbarButton(int index) { SwitchView(kViews.at(static_cast<std::size_t>(index)).key); }

void frmDir::OnViewMenu(int index) { SwitchView(kViews.at(static_cast<std::size_t>(index)).key); }

std::string frmDir::SelectedDrive() const {
  const int selected = drvHDs->GetSelection();
  if (selected < 0 || static_cast<std::size_t>(selected) >= drives_.size())
    return platform::paths::DriveRoot({});
  return drives_[static_cast<std::size_t>(selected)].mount_point;
}

void frmDir::OnConfirm() { Close(); }

void frmDir::OnCancel() {
  state_.Path_Scelto.clear();
  Close();
}

void frmDir::PopUp(wxMenu& menu) {
  if (hooks_.popupMenu) hooks_.popupMenu(menu);
  else PopupMenu(&menu);
}

}  // namespace explorer
