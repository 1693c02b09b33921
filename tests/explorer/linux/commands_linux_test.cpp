// The commands where Linux has services of its own: a disk mounted on a folder, and the
// desktop trash (a temporary one, never the user's).
#include <filesystem>

#include "explorer/bind_mount.h"
#include "explorer/explorer_fixture.h"
#include "explorer/isolated_trash.h"
#include "explorer/menu_ids.h"

namespace explorer {
namespace {

using Names = std::vector<std::string>;

using CommandsTest = ExplorerTest;

// Only the tree's root was protected: a folder with another disk mounted on it could be
// deleted for good, which emptied that disk.
TEST_F(CommandsTest, NeitherTheRootNorAMountPointIsEverDeletedOrMoved) {
  folder.Write("a.txt", "a");
  folder.Write("Chiavetta/foto.jpg", "f");
  folder.Write("Disco/.keep", "");
  folder.Write("Altrove/.keep", "");
  const testing_support::BindMount disk(Key("Chiavetta"), Key("Disco"));
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a file system here";
  Open();
  window->OnLeftDirMenu(kDeleteFolderItem);
  Click("Disco");
  window->OnLeftDirMenu(kDeleteFolderItem);
  shift_down = true;
  window->OnLeftDirMenu(kDeleteFolderItem);
  window->OnLeftDirMenu(kCutFolderItem);
  Click("Altrove");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(dialogs.calls().size(), 4u);
  EXPECT_EQ(Messages(), Names(4, "Delete | critical | You can't delete root"));
  EXPECT_EQ(folder.Read("Disco/foto.jpg"), "f");
  EXPECT_EQ(folder.Read("Chiavetta/foto.jpg"), "f");
  EXPECT_FALSE(folder.Exists("Altrove/Disco"));
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Disco") + ";;cut");
}

TEST_F(CommandsTest, DeleteUsesTheTrashAndEmptyRecycleBinAsksFirst) {
  folder.Write("Dati/cestino.txt", "1");
  folder.Write("Dati/resta.txt", "2");
  folder.Write("Trash/files/vecchio.txt", "v");
  folder.Write("Trash/info/vecchio.txt.trashinfo", "i");
  trash_folders = {Key("Trash")};
  Open();
  Click("Dati");
  SelectFile("cestino.txt");
  dialogs.Answer("S");
  window->OnFileMenu(kDeleteFileItem);
  EXPECT_EQ(ListedNames(), (Names{"resta.txt"}));
  EXPECT_TRUE(std::filesystem::exists(testing_support::IsolatedTrashFolder() + "/files/cestino.txt"));

  dialogs.Answer("S");
  window->OnRecycleMenu();
  EXPECT_TRUE(std::filesystem::is_empty(Key("Trash/files")));
  EXPECT_TRUE(std::filesystem::is_empty(Key("Trash/info")));
  EXPECT_EQ(dialogs.calls()[1].default_text, "N");
}

}  // namespace
}  // namespace explorer
