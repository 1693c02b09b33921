// The window on Linux's own: names differing in case, pseudo file systems, permissions, trash.
#include <sys/stat.h>

#include "explorer/explorer_fixture.h"
#include "explorer/file_system_user.h"
#include "explorer/linux/isolated_system.h"

namespace explorer {
namespace {

TEST_F(ExplorerTest, TheSystemRootIsBuiltWithoutReadingAheadIntoPseudoFileSystems) {
  drives = {{"/", "/"}};
  Open();
  const wxTreeItemId proc = window->NodeByKey("/proc");
  ASSERT_TRUE(proc.IsOk());
  EXPECT_EQ(window->trvDir->GetChildrenCount(proc, false), 0u);
  EXPECT_TRUE(window->trvDir->ItemHasChildren(proc));
  window->trvDir->Expand(proc);  // read now, one level and no further
  EXPECT_TRUE(window->NodeByKey("/proc/self").IsOk());
  EXPECT_EQ(window->trvDir->GetChildrenCount(window->NodeByKey("/proc/self"), false), 0u);
}

TEST_F(ExplorerTest, NamesDifferingInCaseAreTwoNodesAndAFolderTheUserMayNotReadIsStillTheChosenOne) {
  folder.Write("Foto/f.jpg", "f");
  folder.Write("FOTO/g.jpg", "g");
  folder.Write("chiusa/segreto.txt", "s");
  ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(Key("chiusa").c_str(), 0311), 0);
  Open();
  EXPECT_EQ(ChildTexts(window->trvDir->GetRootItem()), (Names{"chiusa", "FOTO", "Foto"}));
  Click("FOTO");
  EXPECT_EQ(ListedNames(), (Names{"g.jpg"}));
  testing_support::FileSystemUser nobody(testing_support::kNobody);  // the tests run as root
  if (!nobody.active) GTEST_SKIP() << "cannot check permissions as another user here";
  Click("chiusa");
  EXPECT_EQ(Messages(), (Names{"Cartoscope | info | Access denied"}));
  EXPECT_TRUE(ListedNames().empty());
  EXPECT_EQ(state.Path_Scelto, Key("chiusa/"));
}

TEST_F(ExplorerTest, EmptyRecycleBinEmptiesTheDesktopsTrashFolders) {
  for (const char* name : {"Trash/files/vecchio", "Trash/info/vecchio.trashinfo"}) folder.Write(name, "x");
  trash_folders = {Key("Trash")};
  Open();
  dialogs.Answer("S");
  window->OnRecycleMenu();
  EXPECT_TRUE(std::filesystem::is_empty(Key("Trash/files")));  // how it is emptied is the file operations' test
}

}  // namespace
}  // namespace explorer
