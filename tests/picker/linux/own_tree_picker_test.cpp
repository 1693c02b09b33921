#include <gtest/gtest.h>

#include <filesystem>

#include "picker/browsing.h"
#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

using picker::Browsing;
using picker::System_TreeView_Rete;

TEST(FolderTreePicker, PublishesEverySelectionInPathSceltoAndTheCaption) {
  testing_support::TempFolder folder;
  std::filesystem::create_directories(folder.path() + "Documenti/Lettere");
  Browsing browsing;
  browsing.Run("/", [&](System_TreeView_Rete& window) {
    browsing.Record(window);  // the start folder; the root keeps its single separator
    window.SetBrowsePath(folder.path() + "Documenti/Lettere");
    browsing.Record(window);
    // The tree's hidden top item stands for no folder at all.
    window.tree->GetTreeCtrl()->SelectItem(window.tree->GetTreeCtrl()->GetRootItem());
    browsing.Record(window);
    window.SetBrowsePath(folder.path() + "non/esiste");  // the nearest folder above it
    browsing.Record(window);
    window.OnSetPathToAppPath();
    browsing.Record(window);
    window.OnConfirm();
  });
  const std::string letters = folder.path() + "Documenti/Lettere/";
  const std::string program = platform::paths::ProgramFolder();
  EXPECT_EQ(browsing.seen, (std::vector<std::string>{"/ | /", letters + " | " + letters, " | ",
                                                     folder.path() + " | " + folder.path(),
                                                     program + " | " + program}));
  EXPECT_EQ(browsing.state.Path_Scelto, program);
}

// A second call while the picker is open returns at once; the close box ends the first.
TEST(FolderTreePicker, TheTreeFillsTheWindowLessAnEvenMarginConfermaKeepsItsCornerAndTheCloseBoxEndsTheCall) {
  testing_support::TempFolder folder;
  std::vector<std::vector<int>> gaps;  // PicBrowse's, then Conferma's, from each edge
  Browsing browsing;
  browsing.Run(folder.path(), [&](System_TreeView_Rete& window) {
    picker::BrowseForFolder(browsing.state, "/");
    EXPECT_EQ(System_TreeView_Rete::Open(), &window);
    EXPECT_FALSE(window.Command1->IsShownOnScreen());
    for (const wxSize& size : {wxSize(500, 600), wxSize(300, 250)}) {
      window.SetClientSize(size);
      testing_support::PumpEvents();
      const wxSize client = window.GetClientSize();
      const wxRect browse = window.PicBrowse->GetRect(), conferma = window.Command2->GetParent()->GetRect();
      EXPECT_EQ(window.tree->GetSize(), window.PicBrowse->GetClientSize());
      gaps.push_back({browse.x, browse.y, client.x - browse.GetRight() - 1, client.y - browse.GetBottom() - 1,
                      client.x - conferma.GetRight(), client.y - conferma.GetBottom()});
    }
    window.Close();
  });
  EXPECT_EQ(browsing.state.Path_Scelto, folder.path());
  ASSERT_EQ(gaps.size(), 2u);
  EXPECT_EQ(gaps[0], gaps[1]);
  EXPECT_GT(gaps[0][0], 0);
  EXPECT_EQ(std::vector<int>(gaps[0].begin(), gaps[0].begin() + 4), std::vector<int>(4, gaps[0][0]));
}

}  // namespace
