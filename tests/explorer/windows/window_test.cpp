// The explorer window on Windows: a drive's root "C:\" keeps its backslash and everything
// below it is joined with exactly one; the native list takes the clicks itself.
#include "explorer/explorer_fixture.h"
#include "explorer/menu_ids.h"
#include "support/gui_helpers.h"

#include <windows.h>
#include <wx/uiaction.h>

#include <chrono>

#include "platform/windows/wide.h"

namespace explorer {
namespace {

// A file of the test's own in the root of C:, gone with the object.
class FileInDriveRoot {
 public:
  FileInDriveRoot()
      : name_("faldone-prova-" + std::to_string(::GetCurrentProcessId()) + ".txt"),
        path_("C:\\" + name_) {
    const HANDLE file = ::CreateFileW(platform::windows::Widen(path_).c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    made_ = file != INVALID_HANDLE_VALUE;
    if (made_) ::CloseHandle(file);
  }
  ~FileInDriveRoot() {
    if (made_) ::DeleteFileW(platform::windows::Widen(path_).c_str());
  }
  bool made() const { return made_; }
  const std::string& name() const { return name_; }
  const std::string& path() const { return path_; }

 private:
  std::string name_;
  std::string path_;
  bool made_ = false;
};

TEST_F(ExplorerTest, ADriveRootKeepsItsBackslashAndWhatLiesBelowJoinsWithOne) {
  const FileInDriveRoot file;
  if (!file.made()) GTEST_SKIP() << "the root of C: cannot be written here";
  drives = {{"C:\\", "C:"}};
  Open();
  const wxTreeItemId root = window->trvDir->GetRootItem();
  EXPECT_EQ(window->KeyOf(root), "C:\\");
  EXPECT_EQ(window->trvDir->GetItemText(root), "C:\\");
  EXPECT_EQ(window->Label1->GetLabelText(), "C:\\");
  EXPECT_EQ(state.Path_Scelto, "C:\\");
  const std::vector<std::string> folders = ChildTexts(root);
  ASSERT_FALSE(folders.empty());
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = window->trvDir->GetFirstChild(root, cookie); child.IsOk();
       child = window->trvDir->GetNextChild(root, cookie))
    EXPECT_EQ(window->KeyOf(child), "C:\\" + window->trvDir->GetItemText(child).utf8_string());

  SelectFile(file.name());
  window->OnFileMenu(kOpenItem);
  EXPECT_EQ(opened, std::vector<std::string>{file.path()});

  window->trvDir->SelectItem(window->NodeByKey("C:\\" + folders.front()));
  EXPECT_EQ(window->CurrentFolder(), "C:\\" + folders.front());
  EXPECT_EQ(state.Path_Scelto, "C:\\" + folders.front() + "\\");

  window->trvDir->SelectItem(root);
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Delete | critical | You can't delete root"});
  EXPECT_TRUE(window->NodeByKey("C:\\" + folders.front()).IsOk());
}

// The native list is one window, with no inner area of items: right clicks on an item and on
// the empty area still open their menus, and a double click on an item opens it.
TEST_F(ExplorerTest, ClicksOnTheNativeListOpenMenusAndFiles) {
  folder.Write("lettera.txt", "x");
  Open();
  const std::size_t before = menus.size();
  ASSERT_TRUE(testing_support::ClickAt(
      window->lsvFiles->ClientToScreen(PointOnItem(ItemNamed("lettera.txt"))), wxMOUSE_BTN_RIGHT,
      [&] { return menus.size() > before; }));
  EXPECT_EQ(LastMenu(), "Files");
  ASSERT_TRUE(testing_support::ClickAt(window->lsvFiles->ClientToScreen(PointOnEmptyArea()),
                                       wxMOUSE_BTN_RIGHT, [&] { return menus.size() > before + 1; }));
  EXPECT_EQ(LastMenu(), "RightDir");

  // A double click on an item opens it: the release over an item reached the window too.
  const wxPoint item = window->lsvFiles->ClientToScreen(PointOnItem(ItemNamed("lettera.txt")));
  wxUIActionSimulator input;
  input.MouseMove(item);
  ASSERT_TRUE(testing_support::WaitFor([&] { return wxGetMousePosition() == item; }));
  input.MouseDblClick();
  ASSERT_TRUE(testing_support::WaitFor([&] { return !opened.empty(); }, std::chrono::seconds(10)));
  EXPECT_EQ(opened, std::vector<std::string>{Key("lettera.txt")});
}

}  // namespace
}  // namespace explorer
