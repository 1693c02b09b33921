#include "picker/system_tree_view.h"

#include <wx/artprov.h>

#include <algorithm>

#include "picker/folder_choice.h"
#include "platform/geometry.h"
#include "platform/paths.h"

namespace picker {
namespace {

System_TreeView_Rete* open_picker = nullptr;

// Design sizes in twips: the client area, the margin around PicBrowse, and Conferma with its
// distance from the bottom-right corner.
constexpr int kClientWidth = 6255;
constexpr int kClientHeight = 7410;
constexpr int kMargin = 25;
constexpr int kConfirmWidth = 1470;
constexpr int kConfirmHeight = 330;
constexpr int kConfirmRightGap = 210;
constexpr int kConfirmBottomGap = 30;

// A button that stays above PicBrowse where the two overlap: its own small panel, created
// after PicBrowse, stacks above it as a native window does.
wxButton* ButtonAbove(wxWindow* parent, const char* caption, const wxRect& rect) {
  auto* holder = new wxPanel(parent, wxID_ANY, rect.GetPosition(), rect.GetSize());
  return new wxButton(holder, wxID_ANY, caption, wxPoint(0, 0), rect.GetSize());
}

}  // namespace

System_TreeView_Rete::System_TreeView_Rete(store::ProfileState& state)
    : wxFrame(nullptr, wxID_ANY, kTreeViewCaption), state_(state) {
  open_picker = this;
  SetIcon(wxArtProvider::GetIcon(wxART_FOLDER_OPEN, wxART_FRAME_ICON));
  BuildControls();
  SetClientSize(platform::TwipsSize(kClientWidth, kClientHeight));
  CentreOnScreen();
  LayOutInClientArea();
}

System_TreeView_Rete::~System_TreeView_Rete() {
  if (open_picker == this) open_picker = nullptr;
  EndBrowse();
}

System_TreeView_Rete* System_TreeView_Rete::Open() { return open_picker; }

void System_TreeView_Rete::BuildControls() {
  PicBrowse = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
  PicBrowse->SetSize(platform::TwipsRect(105, 75, 6045, 6780));
  Command1 = ButtonAbove(this, "Set Path to App.Path", platform::TwipsRect(360, 60, 3555, 255));
  // Of its two switches, visible starts off: the tree is the picker's whole face.
  Command1->GetParent()->Hide();
  Command2 = ButtonAbove(this, "Conferma",
                         platform::TwipsRect(kClientWidth - kConfirmRightGap - kConfirmWidth,
                                             kClientHeight - kConfirmBottomGap - kConfirmHeight,
                                             kConfirmWidth, kConfirmHeight));

  // The tree fills PicBrowse, PicBrowse fills the window less the margin.
  PicBrowse->Bind(wxEVT_SIZE, [this](wxSizeEvent&) {
    if (tree) tree->SetSize(PicBrowse->GetClientSize());
    else shell_tree::SizeTreeView(PicBrowse->GetClientSize());
  });
  Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayOutInClientArea(); });
  Command1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSetPathToAppPath(); });
  Command2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnConfirm(); });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
    // The close is never refused: it ends the browse.
    if (open_picker == this) open_picker = nullptr;
    EndBrowse();
    Destroy();
  });
}

void System_TreeView_Rete::UseOwnTree() {
  tree = new platform::FolderTree(PicBrowse);
  tree->SetSize(PicBrowse->GetClientSize());
  tree->OnSelectionChanged([this] {
    BrowsePath = tree->SelectedPath();
    PathChange();
  });
}

void System_TreeView_Rete::LayOutInClientArea() {
  const wxSize client = GetClientSize();
  const int margin = platform::Px(kMargin);
  PicBrowse->SetSize(margin, margin, std::max(0, client.x - 2 * margin),
                     std::max(0, client.y - 2 * margin));
  // Conferma keeps its corner as the window grows.
  const wxSize button = platform::TwipsSize(kConfirmWidth, kConfirmHeight);
  Command2->GetParent()->Move(client.x - platform::Px(kConfirmRightGap) - button.x,
                              client.y - platform::Px(kConfirmBottomGap) - button.y);
}

void System_TreeView_Rete::PathChange() {
  state_.Path_Scelto = WithClosingSeparator(BrowsePath);
  SetTitle(wxString::FromUTF8(state_.Path_Scelto));
}

void System_TreeView_Rete::SetBrowsePath(const std::string& path) {
  if (!tree) {
    shell_tree::SetBrowsePath(path);  // its selection change publishes the folder
    return;
  }
  tree->SelectFolder(path);
  // Published here too: selecting the item already selected changes nothing in the tree.
  BrowsePath = tree->SelectedPath();
  PathChange();
}

void System_TreeView_Rete::OnSetPathToAppPath() { SetBrowsePath(platform::paths::ProgramFolder()); }

void System_TreeView_Rete::OnConfirm() { Close(); }

void System_TreeView_Rete::EndBrowse() {
  // A borrowed tree goes back to its dialog before this window, its host, is destroyed.
  shell_tree::ReturnTreeView();
  if (browse_loop_ && browse_loop_->IsRunning()) browse_loop_->Exit();
  browse_loop_ = nullptr;
}

void BrowseForFolder(store::ProfileState& state, const std::string& start, const char* tree_class) {
  if (System_TreeView_Rete* open = System_TreeView_Rete::Open()) {
    open->Raise();
    return;
  }
  auto* window = new System_TreeView_Rete(state);
  window->Show();
  switch (shell_tree::BrowseForFolder(*window, start, tree_class)) {
    case shell_tree::Browse::Ended: return;
    case shell_tree::Browse::EndedEarly:
      // Its tree is gone with it: nothing was chosen, and the picker has nothing left to show.
      window->Close();
      state.Path_Scelto.clear();
      return;
    case shell_tree::Browse::NoTree: break;
  }
  window->UseOwnTree();
  window->SetBrowsePath(start);
  wxGUIEventLoop loop;
  window->browse_loop_ = &loop;
  loop.Run();
}

}  // namespace picker
