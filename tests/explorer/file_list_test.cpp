// The file list: fills, views, mouse, renaming and a folder that vanished.
#include <cerrno>

#include "explorer/explorer_fixture.h"
#include "explorer/explorer_images.h"
#include "platform/errno_text.h"

namespace explorer {
namespace {

using FileListTest = ExplorerTest;

TEST_F(FileListTest, AFillListsTheFilesWithSizesAndGhostsHiddenOnes) {
  folder.Write("Dati/b.txt", std::string(1536, 'b'));
  folder.Write("Dati/.nascosto", "h");  // hidden by its name on Linux, by an attribute on Windows
#ifdef _WIN32
  ASSERT_TRUE(::SetFileAttributesW(platform::windows::Widen(Key("Dati/.nascosto")).c_str(), FILE_ATTRIBUTE_HIDDEN));
#endif
  folder.Write("Dati/vuoto", "");
  folder.Write("Dati/Sotto/s.txt", "s");
  folder.Write("a&b/Sotto/s.txt", "s");
  Open();
  Click("Dati");
  EXPECT_EQ(ListedNames(), (Names{".nascosto", "b.txt", "vuoto"}));
  wxListCtrl& list = *window->lsvFiles;
  EXPECT_EQ(list.GetItemText(1, 1), "2 Kb");
  auto image = [&](long id) {
    wxListItem item;
    item.SetId(id);
    item.SetMask(wxLIST_MASK_IMAGE);
    return list.GetItem(item) ? item.GetImage() : -1;
  };
  EXPECT_EQ(image(0), kGhostFileImage);
  EXPECT_EQ(image(1), kFileImage);
  EXPECT_NE(list.GetItemTextColour(0), list.GetItemTextColour(1));
  // An empty folder is still the chosen one, and the label shows "&" as it is.
  Click("a&b");
  EXPECT_TRUE(ListedNames().empty());
  EXPECT_EQ(window->Label1->GetLabelText(), Key("a&b"));
  EXPECT_EQ(state.Path_Scelto, Key("a&b/"));
}

TEST_F(FileListTest, ToolbarAndViewSubmenuAlwaysShowTheSameSingleView) {
  folder.Write("a.txt", "a");
  Open();
  const auto shown = [&](int index, long style) {
    EXPECT_TRUE(window->lsvFiles->HasFlag(style)) << index;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(window->tbView->GetToolState(kViewToolId + i), i == index) << index << i;
      EXPECT_EQ(window->mnuView->IsChecked(kViewMenuId + i), i == index) << index << i;
    }
  };
  shown(3, wxLC_REPORT);
  for (const auto& [from_menu, index, style] :
       {std::tuple{true, 1, wxLC_SMALL_ICON}, {false, 0, wxLC_ICON}, {true, 2, wxLC_LIST}}) {
    from_menu ? window->OnViewMenu(index) : window->OnToolbarButton(index);
    shown(index, style);
  }
  // Filled in a view without columns: the sizes are there when the details come back, and
  // the selected file stays selected.
  folder.Write("b.txt", std::string(2048, 'b'));
  window->OnRightDirMenu(kRefreshListItem);
  SelectFile("b.txt");
  window->OnToolbarButton(3);
  shown(3, wxLC_REPORT);
  EXPECT_EQ(ListedNames(), (Names{"a.txt", "b.txt"}));
  EXPECT_EQ(window->lsvFiles->GetItemText(1, 1), "2 Kb");
  EXPECT_EQ(window->lsvFiles->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
}

TEST_F(FileListTest, MouseReleasesChooseTheMenuAndTheDoubleClickFlag) {
  folder.Write("lettera.txt", "x");
  Open();
  const wxPoint item = PointOnItem(ItemNamed("lettera.txt"));
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, item);
  EXPECT_EQ(LastMenu(), "Files");
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, PointOnEmptyArea());
  EXPECT_EQ(LastMenu(), "RightDir");

  SelectFile("lettera.txt");
  window->OnListMouseUp(wxMOUSE_BTN_LEFT, item);
  EXPECT_TRUE(window->over_item());
  window->OnListDoubleClick();
  EXPECT_EQ(opened, (Names{Key("lettera.txt") + " in " + Root()}));
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, PointOnEmptyArea());
  EXPECT_TRUE(window->over_item());  // a right release changes nothing

  window->OnListMouseUp(wxMOUSE_BTN_LEFT, PointOnEmptyArea());
  EXPECT_FALSE(window->over_item());
  EXPECT_EQ(window->lsvFiles->GetSelectedItemCount(), 0);
  window->OnListDoubleClick();
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(FileListTest, ARenameTheFileSystemRefusesSaysWhyAndOneItAcceptsIsListed) {
  folder.Write("vecchio.txt", "1");
  folder.Write("altro.txt", "2");
  Open();
  window->OnRenameStart(ItemNamed("vecchio.txt"));
  EXPECT_FALSE(window->OnRenameEnd("altro.txt"));
  EXPECT_EQ(Messages(),
            (Names{"Error #" + std::to_string(EEXIST) + " | critical | " + platform::ErrnoText(EEXIST)}));

  window->OnRenameStart(ItemNamed("vecchio.txt"));
  EXPECT_TRUE(window->OnRenameEnd("nuovo.txt"));
  testing_support::PumpEvents();
  EXPECT_EQ(ListedNames(), (Names{"altro.txt", "nuovo.txt"}));
}

TEST_F(FileListTest, AFolderThatVanishedSinceTheTreeWasReadIsReportedAndTheLastShownComesBack) {
  folder.Write("Dati/a.txt", "a");
  folder.Write("Sparita/x.txt", "x");
  Open();
  Click("Dati");
  Remove("Sparita");
  Click("Sparita");
  EXPECT_EQ(Messages(), (Names{"Cartoscope | critical | " + platform::ErrnoText(ENOENT)}));
  EXPECT_FALSE(Node("Sparita").IsOk());
  EXPECT_EQ(window->CurrentFolder(), Key("Dati"));
  EXPECT_EQ(ListedNames(), (Names{"a.txt"}));
  EXPECT_EQ(state.Path_Scelto, Key("Dati/"));
}

}  // namespace
}  // namespace explorer
