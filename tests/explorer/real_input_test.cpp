// Real keys and clicks through the display server: a handler that keeps an event from its control is caught.
#include <wx/textctrl.h>

#include "explorer/explorer_fixture.h"

namespace explorer {
namespace {

using namespace testing_support;

struct RealInputTest : ExplorerTest {
  // A real click on a folder of the tree, then a wait until done() holds.
  bool ClickNode(const std::string& relative, int button, const std::function<bool()>& done) {
    wxRect rect;
    EXPECT_TRUE(window->trvDir->GetBoundingRect(Node(relative), rect, true)) << relative;
    return ClickAt(window->trvDir->ClientToScreen(rect.GetPosition() + rect.GetSize() / 2), button, done);
  }
  bool RightClickOn(const std::string& relative) {
    const std::size_t before = menus.size();
    return ClickNode(relative, wxMOUSE_BTN_RIGHT, [&] { return menus.size() > before; });
  }
};

// The tree and the list swallowed every key but F5 and F2.
TEST_F(RealInputTest, KeysTheWindowDoesNotUseStillMoveTheTreeAndTheList) {
  for (const char* file : {"A/B/b.txt", "A/a.txt", "uno.txt", "due.txt", "tre.txt"})
    folder.Write(file, "x");
  Open();
  wxTreeCtrl& tree = *window->trvDir;
  ASSERT_TRUE(FocusOn(tree));
  ASSERT_TRUE(PressKey(WXK_DOWN, wxMOD_NONE, [&] { return window->CurrentFolder() == Key("A"); }));
  EXPECT_EQ(ListedNames(), (Names{"a.txt"}));  // a move by key shows the folder's files
  // The keypad's "+" and "-": the native Windows tree takes no others.
  ASSERT_TRUE(PressKey(WXK_NUMPAD_ADD, wxMOD_NONE, [&] { return tree.IsExpanded(Node("A")); }));
  ASSERT_TRUE(PressKey(WXK_NUMPAD_SUBTRACT, wxMOD_NONE, [&] { return !tree.IsExpanded(Node("A")); }));
  ASSERT_TRUE(PressKey(WXK_HOME, wxMOD_NONE, [&] { return window->CurrentFolder() == Root(); }));
  folder.Write("Nuova/n.txt", "n");
  ASSERT_TRUE(PressKey(WXK_F5, wxMOD_NONE, [&] { return Node("Nuova").IsOk(); }));

  wxListCtrl& list = *window->lsvFiles;
  ASSERT_EQ(ListedNames(), (Names{"due.txt", "tre.txt", "uno.txt"}));
  SelectFile("due.txt");
  list.SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
  ASSERT_TRUE(FocusOn(list));
  ASSERT_TRUE(PressKey(WXK_DOWN, wxMOD_NONE, [&] { return list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED) == 1; }));
  folder.Write("zeta.txt", "z");
  ASSERT_TRUE(PressKey(WXK_F5, wxMOD_NONE, [&] { return ListedNames().size() == 4; }));
  SelectFile("uno.txt");
  ASSERT_TRUE(PressKey(WXK_F2, wxMOD_NONE, [&] { return list.GetEditControl() != nullptr; }));
  EXPECT_EQ(list.GetEditControl()->GetValue(), "uno.txt");
  ASSERT_TRUE(PressKey(WXK_ESCAPE, wxMOD_NONE, [&] { return list.GetEditControl() == nullptr; }));
  EXPECT_TRUE(dialogs.calls().empty());
}

// A right click selected the folder under the mouse, so its menu acted on a folder not chosen.
TEST_F(RealInputTest, ARightClickKeepsTheSelectedFolderAndTheMenuFollowsIt) {
  for (const char* file : {"Foto/f.jpg", "Recycled/x", "Trash/files/x", "radice.txt"})
    folder.Write(file, "x");
  trash_folders = {Key("Trash")};
  Open();
  ASSERT_TRUE(ClickNode("Recycled", wxMOUSE_BTN_LEFT,
                        [&] { return window->CurrentFolder() == Key("Recycled"); }));
  ASSERT_TRUE(RightClickOn("Foto"));
  EXPECT_EQ(LastMenu(), "DirRecycle");
  EXPECT_EQ(window->CurrentFolder(), Key("Recycled"));

  Click("Foto");
  ASSERT_TRUE(RightClickOn("Recycled"));
  EXPECT_EQ(LastMenu(), "LeftDir");
  EXPECT_EQ(ListedNames(), (Names{"f.jpg"}));
  Click("Trash");
  ASSERT_TRUE(RightClickOn("Foto"));
  EXPECT_EQ(LastMenu(), "DirRecycle");

  // The menu's commands act on that folder, the root here, and their messages belong to this window.
  Click("");
  ASSERT_TRUE(RightClickOn("Foto"));
  window->OnLeftDirMenu(kDeleteFolderItem);
  ASSERT_EQ(Messages(), Names{"Delete | critical | You can't delete root"});
  EXPECT_EQ(dialogs.calls()[0].parent, window);
}

// Laid out 315 twips high, GTK's drop-down cut the drive's name off; Tab skips the toolbar and label.
TEST_F(RealInputTest, TheDriveListIsTallEnoughAndTabWalksTheTabIndexOrder) {
  folder.Write("A/a.txt", "a");
  Open();
  const wxRect shown = window->drvHDs->GetRect();
  EXPECT_GE(shown.height, window->drvHDs->GetBestSize().y);
  EXPECT_TRUE(wxRect(window->drvHDs->GetParent()->GetClientSize()).Contains(shown));
  EXPECT_FALSE(shown.Intersects(window->trvDir->GetRect()));  // nothing lies under it

  ASSERT_TRUE(FocusOn(*window->drvHDs));
  const std::vector<TabStop> walk{{window->trvDir, "trvDir"},     {window->lsvFiles, "lsvFiles"},
                                  {window->Command1, "Command1"}, {window->Command2, "Command2"},
                                  {DropDownStop(*window->drvHDs), "drvHDs"},
                                  {window->trvDir, "trvDir"}};
  EXPECT_EQ(TabWalk(walk), StopNames(walk));
}

}  // namespace
}  // namespace explorer
