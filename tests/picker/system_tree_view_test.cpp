#include "picker/system_tree_view.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/geometry.h"
#include "platform/paths.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"
#include "support/temp_folder.h"

namespace {

using picker::BrowseForFolder;
using picker::System_TreeView_Rete;
using testing_support::ActWhileWaiting;
using testing_support::TempFolder;

std::string Caption(const System_TreeView_Rete& window) { return window.GetTitle().utf8_string(); }

// Opens the picker at start, runs act on it while BrowseForFolder waits, and returns once the
// call has returned. act must close the window.
void Browse(store::ProfileState& state, const std::string& start,
            std::function<void(System_TreeView_Rete&)> act) {
  ActWhileWaiting action([&] {
    System_TreeView_Rete* window = System_TreeView_Rete::Open();
    ASSERT_NE(window, nullptr);
    act(*window);
  });
  BrowseForFolder(state, start);
  testing_support::PumpEvents();
}

TEST(FolderTreePicker, OpensAtTheStartFolderAndPublishesEachSelection) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path() + "Documenti/Lettere");
  store::ProfileState state;
  state.Path_Scelto = "whatever the editor held";
  std::vector<std::string> seen;
  Browse(state, "/", [&](System_TreeView_Rete& window) {
    // The root keeps its single separator.
    seen.push_back(state.Path_Scelto + " | " + Caption(window));
    window.SetBrowsePath(folder.path() + "Documenti/Lettere");
    seen.push_back(state.Path_Scelto + " | " + Caption(window));
    // The tree's hidden top item stands for no folder at all.
    window.tree->GetTreeCtrl()->SelectItem(window.tree->GetTreeCtrl()->GetRootItem());
    seen.push_back(state.Path_Scelto + " | " + Caption(window));
    window.SetBrowsePath(folder.path() + "Documenti");
    window.OnConfirm();
  });
  const std::string letters = folder.path() + "Documenti/Lettere/";
  EXPECT_EQ(seen, (std::vector<std::string>{"/ | /", letters + " | " + letters, " | "}));
  EXPECT_EQ(state.Path_Scelto, folder.path() + "Documenti/");
  EXPECT_EQ(System_TreeView_Rete::Open(), nullptr);
}

TEST(FolderTreePicker, TheCloseBoxEndsTheCallLikeConferma) {
  TempFolder folder;
  store::ProfileState state;
  Browse(state, folder.path(), [](System_TreeView_Rete& window) { window.Close(); });
  EXPECT_EQ(state.Path_Scelto, folder.path());
  EXPECT_EQ(System_TreeView_Rete::Open(), nullptr);
}

TEST(FolderTreePicker, AMissingStartFolderSelectsTheNearestFolderAboveIt) {
  TempFolder folder;
  store::ProfileState state;
  Browse(state, folder.path() + "non/esiste", [](System_TreeView_Rete& window) { window.Close(); });
  EXPECT_EQ(state.Path_Scelto, folder.path());
}

TEST(FolderTreePicker, SetPathToAppPathSelectsTheProgramFolder) {
  store::ProfileState state;
  std::string caption;
  Browse(state, "/", [&](System_TreeView_Rete& window) {
    EXPECT_FALSE(window.Command1->IsShownOnScreen());
    window.OnSetPathToAppPath();
    caption = Caption(window);
    window.OnConfirm();
  });
  EXPECT_EQ(state.Path_Scelto, platform::paths::ProgramFolder());
  EXPECT_EQ(caption, platform::paths::ProgramFolder());
}

TEST(FolderTreePicker, TheTreeFillsTheWindowLessTheMarginAsItResizes) {
  store::ProfileState state;
  const int margin = platform::Px(25);
  std::vector<wxRect> picture_boxes;
  std::vector<bool> tree_fills;
  std::vector<wxPoint> conferma_gap;
  Browse(state, "/", [&](System_TreeView_Rete& window) {
    for (const wxSize& size : {wxSize(500, 600), wxSize(300, 250)}) {
      window.SetClientSize(size);
      testing_support::PumpEvents();
      const wxSize client = window.GetClientSize();
      picture_boxes.push_back(window.PicBrowse->GetRect());
      EXPECT_EQ(picture_boxes.back(),
                wxRect(margin, margin, client.x - 2 * margin, client.y - 2 * margin));
      tree_fills.push_back(window.tree->GetSize() == window.PicBrowse->GetClientSize());
      const wxRect button = window.Command2->GetParent()->GetRect();
      conferma_gap.push_back(wxPoint(client.x - button.GetRight(), client.y - button.GetBottom()));
    }
    window.Close();
  });
  ASSERT_EQ(picture_boxes.size(), 2u);
  EXPECT_NE(picture_boxes[0].GetSize(), picture_boxes[1].GetSize());
  EXPECT_EQ(tree_fills, (std::vector<bool>{true, true}));
  // Conferma keeps its corner.
  EXPECT_EQ(conferma_gap[0], conferma_gap[1]);
}

TEST(FolderTreePicker, ASecondBrowseWhileOneIsOpenReturnsAtOnce) {
  TempFolder folder;
  store::ProfileState state;
  Browse(state, folder.path(), [&](System_TreeView_Rete& window) {
    BrowseForFolder(state, "/");
    EXPECT_EQ(System_TreeView_Rete::Open(), &window);
    EXPECT_EQ(state.Path_Scelto, folder.path());
    window.Close();
  });
}

}  // namespace
