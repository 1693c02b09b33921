// The folder tree: keys, texts, tags, loading one level ahead, F5 and the walk back.
#include "explorer/explorer_fixture.h"
#include "explorer/tree_keys.h"

namespace explorer {
namespace {

struct TreeTest : ExplorerTest {
  void SetUp() override {
    for (const char* file :
         {"A/B/C/D/d.txt", "A/B/c.txt", "Foto/f.jpg", "Recycled/x", "radice.txt"})
      folder.Write(file, "x");
  }
};

TEST_F(TreeTest, TheBuildReadsTwoLevelsAndOpeningAFolderAddsTheNextLevelOnce) {
  Open();
  const wxTreeItemId root = window->trvDir->GetRootItem();
  EXPECT_EQ(window->trvDir->GetItemText(root), Root());
  EXPECT_EQ(ChildTexts(root), (Names{"A", "Foto", "Recycled"}));
  EXPECT_TRUE(Node("A/B").IsOk());
  EXPECT_FALSE(Node("A/B/C").IsOk());  // a third level only once A is opened
  // The drive's root is shown and chosen.
  EXPECT_EQ(window->Label1->GetLabelText(), Root());
  EXPECT_EQ(state.Path_Scelto, folder.path());
  EXPECT_EQ(ListedNames(), (Names{"radice.txt"}));
  EXPECT_TRUE(dialogs.calls().empty());

  window->trvDir->Expand(Node("A"));
  EXPECT_FALSE(Node("A/B/C/D").IsOk());
  // A folder made now is not added by a second opening: the tag says it was done.
  folder.Write("A/B/Nuova/n.txt", "n");
  window->trvDir->Collapse(Node("A"));
  window->trvDir->Expand(Node("A"));
  EXPECT_EQ(ChildTexts(Node("A/B")), (Names{"C"}));
  window->trvDir->Expand(Node("A/B"));
  EXPECT_EQ(ChildTexts(Node("A/B/C")), (Names{"D"}));
}

TEST_F(TreeTest, TheListIsRefilledWhenAnotherFolderIsClickedOrTheShownOneCollapses) {
  Open();
  Click("A/B");
  EXPECT_EQ(ListedNames(), (Names{"c.txt"}));
  folder.Write("A/B/dopo.txt", "x");
  window->OnNodeClick(Node("A/B"));
  EXPECT_EQ(ListedNames(), (Names{"c.txt"}));
  Click("Foto");
  Click("A/B");
  EXPECT_EQ(ListedNames(), (Names{"c.txt", "dopo.txt"}));

  Click("A");
  window->trvDir->Expand(Node("A"));
  folder.Write("A/nuovo.txt", "x");
  window->trvDir->Expand(Node("Foto"));
  window->OnCollapse(Node("Foto"));
  EXPECT_TRUE(ListedNames().empty());
  window->OnCollapse(Node("A"));
  EXPECT_EQ(ListedNames(), (Names{"nuovo.txt"}));
}

TEST_F(TreeTest, F5RebuildsTheTreeAndWalksBackToTheSelectedFolderOrToTheRootWhenItIsGone) {
  Open();
  window->trvDir->Expand(Node("A"));
  window->trvDir->Expand(Node("A/B"));
  Click("A/B/C/D");
  folder.Write("A/B/C/D/E/e.txt", "e");
  folder.Write("A/B/C/D/nuovo.txt", "x");
  window->OnTreeKeyDown(WXK_F5);
  EXPECT_EQ(window->CurrentFolder(), Key("A/B/C/D"));
  EXPECT_TRUE(Node("A/B/C/D/E").IsOk());  // what other programs made since is there now
  EXPECT_TRUE(window->trvDir->IsVisible(Node("A/B/C/D")));
  EXPECT_EQ(ListedNames(), (Names{"d.txt", "nuovo.txt"}));
  Remove("A/B/C/D/E");
  window->OnLeftDirMenu(kRefreshTreeItem);  // the same as F5
  EXPECT_FALSE(Node("A/B/C/D/E").IsOk());

  Click("Foto");
  Remove("Foto");
  window->OnTreeKeyDown(WXK_F5);
  EXPECT_FALSE(Node("Foto").IsOk());
  // The list follows the tree, or a file command would act on the wrong folder's file.
  EXPECT_EQ(ListedNames(), (Names{"radice.txt"}));
  EXPECT_EQ(state.Path_Scelto, folder.path());
  EXPECT_TRUE(dialogs.calls().empty());
}

// The explorer opened on the first drive, on Windows often an empty A:, and so did a drive not ready.
TEST_F(TreeTest, TheExplorerOpensOnTheSystemDriveAndADriveThatIsNotReadyGivesWayToIt) {
  const std::string system = platform::drives::SystemDrive();
  drives = {{Key("non-esiste"), "A:"}, {system, system}, {Root(), Root()}};
  Open();
  EXPECT_EQ(window->drvHDs->GetSelection(), 1);
  EXPECT_EQ(window->KeyOf(window->trvDir->GetRootItem()), system);
  for (const int chosen : {2, 0}) {
    window->drvHDs->SetSelection(chosen);
    window->OnDriveChange();
  }
  EXPECT_EQ(window->drvHDs->GetSelection(), 1);
  EXPECT_EQ(window->KeyOf(window->trvDir->GetRootItem()), system);
}

// The system's trash folders as the file system spells them: FAT writes "$RECYCLE.BIN", NTFS "$Recycle.Bin".
TEST(RecycleFolder, NamesThatBeginWithRecycleAndTheSystemsTrashFolders) {
  using platform::paths::Join;
  const bool windows = platform::paths::kSeparator == '\\';
  const std::string top = windows ? "E:\\" : "/media/x";
  const std::pair<const char*, bool> rows[] = {{"RECYCLER", true}, {"recycled", true},
                                               {"$Recycle.Bin", true}, {"Recycl", false},
                                               {"Foto", false}, {"$RECYCLE.BIN", windows}};
  for (const auto& [name, recycle] : rows)
    EXPECT_EQ(IsRecycleFolder(Join(top, name), name, {Join(top, "$Recycle.Bin")}), recycle) << name;
}

}  // namespace
}  // namespace explorer
