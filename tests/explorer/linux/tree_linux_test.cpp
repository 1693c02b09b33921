// The folder tree on Linux's own file systems: names that differ only in case, and the
// kernel's pseudo file systems under "/".
#include <filesystem>

#include "explorer/explorer_fixture.h"

namespace explorer {
namespace {

using Names = std::vector<std::string>;

TEST_F(ExplorerTest, TwoFoldersWhoseNamesDifferOnlyInCaseAreTwoNodes) {
  folder.Write("Foto/f.jpg", "f");
  folder.Write("FOTO/g.jpg", "g");
  Open();
  EXPECT_EQ(ChildTexts(window->trvDir->GetRootItem()), (Names{"FOTO", "Foto"}));
  EXPECT_EQ(window->KeyOf(Node("Foto")), Key("Foto"));
  EXPECT_EQ(window->KeyOf(Node("FOTO")), Key("FOTO"));
  EXPECT_NE(Node("Foto"), Node("FOTO"));
  Click("FOTO");
  EXPECT_EQ(ListedNames(), (Names{"g.jpg"}));
}

TEST_F(ExplorerTest, TheSystemRootIsBuiltWithoutReadingAheadIntoPseudoFileSystems) {
  drives = {{"/", "/"}};
  Open();
  const wxTreeItemId proc = window->NodeByKey("/proc");
  ASSERT_TRUE(proc.IsOk());
  EXPECT_EQ(window->trvDir->GetChildrenCount(proc, false), 0u);
  EXPECT_TRUE(window->trvDir->ItemHasChildren(proc));
  // Opened by the user, it is read then, one level and no further ahead.
  window->trvDir->Expand(proc);
  EXPECT_TRUE(window->NodeByKey("/proc/self").IsOk());
  EXPECT_EQ(window->trvDir->GetChildrenCount(window->NodeByKey("/proc/self"), false), 0u);
  EXPECT_EQ(window->NodeByKey("/usr").IsOk(), std::filesystem::is_directory("/usr"));
  EXPECT_EQ(state.Path_Scelto, "/");
}

}  // namespace
}  // namespace explorer
