// The file list: fills, views, mouse and keys, renaming and a folder that vanished.
#include <cerrno>

#include "explorer/explorer_fixture.h"
#include "explorer/explorer_images.h"
#include "explorer/hidden_file.h"
#include "explorer/menu_ids.h"
#include "platform/errno_text.h"
#include "support/gui_helpers.h"

namespace explorer {
namespace {

using Names = std::vector<std::string>;

class FileListTest : public ExplorerTest {};

std::string SizeColumn(wxListCtrl& list, long item) { return list.GetItemText(item, 1).utf8_string(); }

TEST_F(FileListTest, AFillListsTheFilesWithSizesAndGhostsHiddenOnes) {
  folder.Write("Dati/b.txt", std::string(1536, 'b'));
  folder.Write("Dati/.nascosto", "h");
  testing_support::HideFile(Key("Dati/.nascosto"));
  folder.Write("Dati/vuoto", "");
  folder.Write("Dati/Sotto/s.txt", "s");
  folder.Write("a&b/Sotto/s.txt", "s");
  Open();
  Click("Dati");
  EXPECT_EQ(ListedNames(), (Names{".nascosto", "b.txt", "vuoto"}));
  wxListCtrl& list = *window->lsvFiles;
  EXPECT_EQ(SizeColumn(list, ItemNamed("b.txt")), "2 Kb");
  EXPECT_EQ(SizeColumn(list, ItemNamed(".nascosto")), "1 Kb");
  EXPECT_EQ(SizeColumn(list, ItemNamed("vuoto")), "0 Kb");
  auto image = [&](const char* name) {
    wxListItem item;
    item.SetId(ItemNamed(name));
    item.SetMask(wxLIST_MASK_IMAGE);
    return list.GetItem(item) ? item.GetImage() : -1;
  };
  EXPECT_EQ(image(".nascosto"), kGhostFileImage);
  EXPECT_EQ(image("b.txt"), kFileImage);
  EXPECT_NE(list.GetItemTextColour(ItemNamed(".nascosto")), list.GetItemTextColour(ItemNamed("b.txt")));
  EXPECT_EQ(window->Label1->GetLabelText(), Key("Dati"));
  EXPECT_EQ(state.Path_Scelto, Key("Dati/"));
  // An empty folder is still the chosen one, and the label shows "&" as it is.
  Click("a&b");
  EXPECT_TRUE(ListedNames().empty());
  EXPECT_EQ(window->Label1->GetLabelText(), Key("a&b"));
  EXPECT_EQ(state.Path_Scelto, Key("a&b/"));
}

TEST_F(FileListTest, ToolbarAndViewSubmenuAlwaysShowTheSameSingleView) {
  folder.Write("a.txt", "a");
  Open();
  auto shown = [&](int index) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(window->tbView->GetToolState(kViewToolId + i), i == index) << i;
      EXPECT_EQ(window->mnuView->IsChecked(kViewMenuId + i), i == index) << i;
    }
  };
  EXPECT_EQ(window->view_mode(), ViewMode::Details);
  EXPECT_TRUE(window->lsvFiles->InReportView());
  shown(3);
  window->OnViewMenu(1);
  EXPECT_EQ(window->view_mode(), ViewMode::SmallIcons);
  EXPECT_TRUE(window->lsvFiles->HasFlag(wxLC_SMALL_ICON));
  shown(1);
  window->OnToolbarButton(0);
  EXPECT_TRUE(window->lsvFiles->HasFlag(wxLC_ICON));
  shown(0);
  window->OnViewMenu(2);
  EXPECT_TRUE(window->lsvFiles->HasFlag(wxLC_LIST));
  shown(2);
  // Filled in a view without columns, the sizes are there when the details come back, and
  // the selected file stays selected.
  folder.Write("b.txt", std::string(2048, 'b'));
  window->OnListKeyDown(WXK_F5);
  SelectFile("b.txt");
  window->OnToolbarButton(3);
  shown(3);
  EXPECT_EQ(window->lsvFiles->GetColumnCount(), 2);
  EXPECT_EQ(ListedNames(), (Names{"a.txt", "b.txt"}));
  EXPECT_EQ(SizeColumn(*window->lsvFiles, 0), "1 Kb");
  EXPECT_EQ(SizeColumn(*window->lsvFiles, 1), "2 Kb");
  EXPECT_EQ(window->lsvFiles->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
}

TEST_F(FileListTest, MouseReleasesChooseTheMenuAndTheDoubleClickFlag) {
  folder.Write("lettera.txt", "x");
  Open();
  const long item = ItemNamed("lettera.txt");
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, PointOnItem(item));
  EXPECT_EQ(LastMenu(), "Files");
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, PointOnEmptyArea());
  EXPECT_EQ(LastMenu(), "RightDir");
  EXPECT_FALSE(window->over_item());

  SelectFile("lettera.txt");
  window->OnListMouseUp(wxMOUSE_BTN_LEFT, PointOnItem(item));
  EXPECT_TRUE(window->over_item());
  window->OnListDoubleClick();
  EXPECT_EQ(opened, (Names{Key("lettera.txt")}));
  window->OnListMouseUp(wxMOUSE_BTN_RIGHT, PointOnEmptyArea());
  EXPECT_TRUE(window->over_item());  // a right release changes nothing

  window->OnListMouseUp(wxMOUSE_BTN_LEFT, PointOnEmptyArea());
  EXPECT_FALSE(window->over_item());
  EXPECT_EQ(window->lsvFiles->GetSelectedItemCount(), 0);
  window->OnListDoubleClick();
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(FileListTest, ARenameTheFileSystemRefusesSaysErrorAndKeepsBothFiles) {
  folder.Write("vecchio.txt", "1");
  folder.Write("altro.txt", "2");
  Open();
  window->OnRenameStart(ItemNamed("vecchio.txt"));
  EXPECT_FALSE(window->OnRenameEnd("altro.txt"));
  EXPECT_EQ(Messages(),
            (Names{"Error #" + std::to_string(EEXIST) + " | critical | " + platform::ErrnoText(EEXIST)}));
  EXPECT_EQ(folder.Read("altro.txt"), "2");
  EXPECT_EQ(folder.Read("vecchio.txt"), "1");

  window->OnRenameStart(ItemNamed("vecchio.txt"));
  EXPECT_TRUE(window->OnRenameEnd("nuovo.txt"));
  testing_support::PumpEvents();
  EXPECT_EQ(ListedNames(), (Names{"altro.txt", "nuovo.txt"}));
  EXPECT_EQ(folder.Read("nuovo.txt"), "1");
}

// A folder that vanished since the tree was read.
TEST_F(FileListTest, AFolderThatVanishedIsReportedAndTheLastShownFolderComesBack) {
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
