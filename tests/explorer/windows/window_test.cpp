// The window on Windows: drive roots such as "C:\" and the native list.
#include <fstream>

#include "explorer/explorer_fixture.h"

namespace explorer {
namespace {

TEST_F(ExplorerTest, ADriveRootKeepsItsBackslashAndWhatLiesBelowJoinsWithOne) {
  const std::string file = "faldone-prova-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  ASSERT_TRUE(std::ofstream("C:\\" + file).good()) << "the root of C: cannot be written here";
  drives = {{"C:\\", "C:"}};
  Open();
  ::DeleteFileW(platform::windows::Widen("C:\\" + file).c_str());  // the list has it now
  const wxTreeItemId root = window->trvDir->GetRootItem();
  EXPECT_EQ(window->trvDir->GetItemText(root), "C:\\");
  EXPECT_EQ(window->Label1->GetLabelText(), "C:\\");
  EXPECT_EQ(state.Path_Scelto, "C:\\");
  const Names folders = ChildTexts(root);
  ASSERT_FALSE(folders.empty());

  SelectFile(file);
  window->OnFileMenu(kOpenItem);
  EXPECT_EQ(opened, Names{"C:\\" + file + " in C:\\"});

  window->trvDir->SelectItem(window->NodeByKey("C:\\" + folders.front()));
  EXPECT_EQ(window->CurrentFolder(), "C:\\" + folders.front());
  EXPECT_EQ(state.Path_Scelto, "C:\\" + folders.front() + "\\");
}

// The native list, one window with no inner item area, kept right clicks and double clicks to itself.
TEST_F(ExplorerTest, ClicksOnTheNativeListOpenMenusAndFiles) {
  folder.Write("lettera.txt", "x");
  Open();
  const wxPoint item = window->lsvFiles->ClientToScreen(PointOnItem(ItemNamed("lettera.txt")));
  const wxPoint empty = window->lsvFiles->ClientToScreen(PointOnEmptyArea());
  for (const auto& [at, menu] : {std::pair{item, "Files"}, {empty, "RightDir"}}) {
    const std::size_t before = menus.size();
    ASSERT_TRUE(testing_support::ClickAt(at, wxMOUSE_BTN_RIGHT, [&] { return menus.size() > before; }));
    EXPECT_EQ(LastMenu(), menu);
  }
  wxUIActionSimulator input;
  input.MouseMove(item);
  ASSERT_TRUE(testing_support::WaitFor([&] { return wxGetMousePosition() == item; }));
  input.MouseDblClick();
  ASSERT_TRUE(testing_support::WaitFor([&] { return !opened.empty(); }, std::chrono::seconds(10)));
  EXPECT_EQ(opened, Names{Key("lettera.txt") + " in " + Root()});
}

}  // namespace
}  // namespace explorer
