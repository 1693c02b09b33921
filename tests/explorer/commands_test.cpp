// The context menus' commands: clipboard marker, paste, delete, trash, open and properties.
#include <filesystem>

#include "explorer/bind_mount.h"
#include "explorer/explorer_fixture.h"
#include "explorer/isolated_trash.h"
#include "explorer/menu_ids.h"
#include "explorer/show_explorer.h"
#include "support/gui_helpers.h"

namespace explorer {
namespace {

using Names = std::vector<std::string>;

using CommandsTest = ExplorerTest;

TEST_F(CommandsTest, CutAndCopyPutTheMarkerAndAPathHoldingTheSeparatorKeepsTheClipboard) {
  folder.Write("Dati/lettera.txt", "x");
  folder.Write("a;b/x.txt", "x");
  Open();
  Click("Dati");
  SelectFile("lettera.txt");
  window->OnFileMenu(kCutFileItem);
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + ";lettera.txt;cut");
  window->OnFileMenu(kCopyFileItem);
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + ";lettera.txt;copy");
  window->OnLeftDirMenu(kCutFolderItem);
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + ";;cut");
  window->OnLeftDirMenu(kCopyFolderItem);
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + ";;copy");
  EXPECT_TRUE(dialogs.calls().empty());

  clipboard.SetText("altro");
  Click("a;b");
  window->OnLeftDirMenu(kCopyFolderItem);
  SelectFile("x.txt");
  window->OnFileMenu(kCutFileItem);
  EXPECT_EQ(clipboard.Text(), "altro");
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_NE(dialogs.Messages()[0].find("\"" + Key("a;b") + "\""), std::string::npos);
  EXPECT_NE(dialogs.Messages()[1].find("tagliare"), std::string::npos);
}

TEST_F(CommandsTest, ACopiedFilePastesIntoTwoFoldersAndItsMarkerStays) {
  folder.Write("Dati/lettera.txt", "testo");
  folder.Write("Uno/.keep", "");
  folder.Write("Due/.keep", "");
  Open();
  Click("Dati");
  SelectFile("lettera.txt");
  window->OnFileMenu(kCopyFileItem);
  const std::optional<std::string> marker = clipboard.Text();
  Click("Uno");
  window->OnRightDirMenu(kPasteInListItem);
  EXPECT_EQ(ListedNames(), (Names{".keep", "lettera.txt"}));
  Click("Due");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(folder.Read("Uno/lettera.txt"), "testo");
  EXPECT_EQ(folder.Read("Due/lettera.txt"), "testo");
  EXPECT_EQ(folder.Read("Dati/lettera.txt"), "testo");
  EXPECT_EQ(clipboard.Text(), marker);
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(CommandsTest, AFolderPasteEmptiesTheClipboardAndShowsTheNewFolder) {
  folder.Write("Foto/2003/a.jpg", "a");
  folder.Write("Archivio/.keep", "");
  Open();
  Click("Foto");
  window->OnLeftDirMenu(kCutFolderItem);
  Click("Archivio");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(folder.Read("Archivio/Foto/2003/a.jpg"), "a");
  EXPECT_FALSE(folder.Exists("Foto"));
  EXPECT_EQ(clipboard.Text(), "");
  EXPECT_EQ(window->CurrentFolder(), Key("Archivio"));
  EXPECT_TRUE(Node("Archivio/Foto").IsOk());
  EXPECT_FALSE(Node("Foto").IsOk());
  window->OnLeftDirMenu(kPasteInTreeItem);  // nothing left to paste
  EXPECT_EQ(folder.Listing(), "Archivio");
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(CommandsTest, PasteIgnoresForeignTextsAndRefusesAFolderIntoItsOwnSubfolder) {
  folder.Write("Foto/2003/a.jpg", "a");
  Open();
  window->trvDir->Expand(Node("Foto"));
  Click("Foto/2003");
  for (const std::string& text : {std::string("abc"), "cartoscope;" + Key("Foto") + ";a.jpg"}) {
    clipboard.SetText(text);
    window->OnRightDirMenu(kPasteInListItem);
  }
  clipboard.Clear();
  window->OnRightDirMenu(kPasteInListItem);
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_TRUE(operation_dialogs.progress_titles().empty());

  clipboard.SetText("cartoscope;" + Key("Foto") + ";;copy");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Foto") + ";;copy");  // kept for another try
  EXPECT_FALSE(folder.Exists("Foto/2003/Foto"));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(ListedNames(), (Names{"a.jpg"}));
}

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

TEST_F(CommandsTest, DeleteUsesTheTrashOrWithShiftDeletesForGoodAndEmptyRecycleBinAsksFirst) {
  folder.Write("Dati/cestino.txt", "1");
  folder.Write("Dati/per-sempre.txt", "2");
  folder.Write("Trash/files/vecchio.txt", "v");
  folder.Write("Trash/info/vecchio.txt.trashinfo", "i");
  trash_folders = {Key("Trash")};
  Open();
  Click("Dati");
  SelectFile("cestino.txt");
  dialogs.Answer("S");
  window->OnFileMenu(kDeleteFileItem);
  EXPECT_EQ(ListedNames(), (Names{"per-sempre.txt"}));
  EXPECT_TRUE(std::filesystem::exists(testing_support::IsolatedTrashFolder() + "/files/cestino.txt"));
  shift_down = true;
  SelectFile("per-sempre.txt");
  dialogs.Answer("S");
  window->OnFileMenu(kDeleteFileItem);
  EXPECT_TRUE(ListedNames().empty());
  EXPECT_EQ(dialogs.calls()[1].text.rfind("Eliminare definitivamente il file", 0), 0u);

  dialogs.Answer("S");
  window->OnRecycleMenu();
  EXPECT_TRUE(std::filesystem::is_empty(Key("Trash/files")));
  EXPECT_TRUE(std::filesystem::is_empty(Key("Trash/info")));
  EXPECT_EQ(dialogs.calls()[2].default_text, "N");
}

TEST_F(CommandsTest, DeletingAFolderShowsItsParentAfterwardsEvenWhenTheUserSaidNo) {
  folder.Write("A/B/b.txt", "b");
  folder.Write("A/a.txt", "a");
  Open();
  Click("A/B");
  dialogs.Answer("N");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_EQ(window->CurrentFolder(), Key("A"));
  EXPECT_TRUE(Node("A/B").IsOk());
  Click("A/B");
  shift_down = true;
  dialogs.Answer("S");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_FALSE(folder.Exists("A/B"));
  EXPECT_FALSE(Node("A/B").IsOk());
  EXPECT_EQ(window->CurrentFolder(), Key("A"));
  EXPECT_EQ(ListedNames(), (Names{"a.txt"}));
}

TEST_F(CommandsTest, OpenEditAndPropertiesReachTheDesktopWithTheRightPaths) {
  folder.Write("my notes.txt", "x");
  folder.Write("Dati/.keep", "");
  Open();
  SelectFile("my notes.txt");
  window->OnFileMenu(kOpenItem);
  window->OnFileMenu(kOpenWithNotepadItem);
  window->OnFileMenu(kFilePropertiesItem);
  EXPECT_EQ(opened, (Names{Key("my notes.txt")}));
  EXPECT_EQ(edited, (Names{Key("my notes.txt")}));
  Click("Dati");
  window->OnRightDirMenu(kListFolderPropertiesItem);
  window->OnLeftDirMenu(kFolderPropertiesItem);
  EXPECT_EQ(properties, (Names{Key("my notes.txt"), Key("Dati"), Key("Dati")}));

  documents_open = false;
  SelectFile(".keep");
  window->OnFileMenu(kOpenItem);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find(Key("Dati/.keep")), std::string::npos);
}

TEST(ShowExplorerAndWait, AnnullaEmptiesTheChosenFolderAndConfermaKeepsTheLastShown) {
  testing_support::ScriptedDialogs dialogs;
  store::ProfileState state;
  for (const bool cancel : {true, false}) {
    state.Path_Scelto = "/prima/";
    wxTheApp->CallAfter([cancel] {
      for (wxWindow* top : wxTopLevelWindows)
        if (auto* explorer = dynamic_cast<frmDir*>(top)) {
          if (cancel) explorer->OnCancel();
          else explorer->OnConfirm();
        }
    });
    ShowExplorerAndWait(state);
    EXPECT_EQ(state.Path_Scelto, cancel ? "" : "/");
    testing_support::PumpEvents();
  }
}

}  // namespace
}  // namespace explorer

namespace platform::clipboard {
namespace {

// The test display's own clipboard, never a user's: the text goes out and comes back whole.
TEST(DisplayClipboard, CarriesAMarkerAndAnEmptyText) {
  const std::string marker = "cartoscope;/home/anna/Città;lettera.txt;copy";
  ASSERT_TRUE(SetText(marker));
  EXPECT_EQ(Text(), marker);
  ASSERT_TRUE(SetText(""));
  EXPECT_NE(Text(), marker);
}

}  // namespace
}  // namespace platform::clipboard
