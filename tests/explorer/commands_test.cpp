// The context menus' commands: cut, copy, paste, delete, open and properties.
#include "explorer/explorer_fixture.h"
#include "explorer/show_explorer.h"

namespace explorer {
namespace {

using CommandsTest = ExplorerTest;

TEST_F(CommandsTest, CutAndCopyMarkTheItemACopiedFilePastesTwiceAndAPathHoldingTheSeparatorKeepsTheClipboard) {
  for (const char* name : {"Dati/lettera.txt", "Uno/.keep", "Due/.keep", "a;b/x.txt"}) folder.Write(name, "testo");
  Open();
  Click("Dati");
  SelectFile("lettera.txt");
  const std::tuple<bool, int, const char*> rows[] = {  // from the file menu?, item, marker's end
      {false, kCutFolderItem, ";;cut"}, {false, kCopyFolderItem, ";;copy"},
      {true, kCutFileItem, ";lettera.txt;cut"}, {true, kCopyFileItem, ";lettera.txt;copy"}};
  for (const auto& [file_menu, item, marked] : rows) {
    file_menu ? window->OnFileMenu(item) : window->OnLeftDirMenu(item);
    EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + marked);
  }
  Click("Uno");
  window->OnRightDirMenu(kPasteInListItem);
  EXPECT_EQ(ListedNames(), (Names{".keep", "lettera.txt"}));
  Click("Due");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(folder.Read("Due/lettera.txt"), "testo");
  EXPECT_EQ(folder.Read("Dati/lettera.txt"), "testo");
  EXPECT_EQ(clipboard.Text(), "cartoscope;" + Key("Dati") + ";lettera.txt;copy");  // the marker stays
  EXPECT_TRUE(dialogs.calls().empty());

  clipboard.SetText("altro");
  Click("a;b");
  SelectFile("x.txt");
  window->OnFileMenu(kCutFileItem);
  EXPECT_EQ(clipboard.Text(), "altro");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("tagliare \"" + Key("a;b/x.txt") + "\""), std::string::npos);
}

TEST_F(CommandsTest, PasteIgnoresForeignTextsRefusesAFolderIntoItsSubfolderAndAMovedFolderEmptiesTheClipboard) {
  folder.Write("Foto/2003/a.jpg", "a");
  folder.Write("Archivio/.keep", "");
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
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(ListedNames(), (Names{"a.jpg"}));

  Click("Foto");
  window->OnLeftDirMenu(kCutFolderItem);
  Click("Archivio");
  window->OnLeftDirMenu(kPasteInTreeItem);
  EXPECT_EQ(clipboard.Text(), "");
  EXPECT_EQ(window->CurrentFolder(), Key("Archivio"));
  EXPECT_TRUE(Node("Archivio/Foto").IsOk());
  window->OnLeftDirMenu(kPasteInTreeItem);  // nothing left to paste
  EXPECT_EQ(folder.Listing(), "Archivio");
  EXPECT_EQ(dialogs.calls().size(), 1u);
}

// The list and the tree are refilled after a delete whatever the user answered; Shift deletes for good.
TEST_F(CommandsTest, DeletingRefreshesEvenWhenTheUserSaidNoAndShiftDeletesForGoodButNeverTheRoot) {
  for (const char* name : {"A/B/b.txt", "A/a.txt", "A/per-sempre.txt"}) folder.Write(name, "x");
  Open();
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_EQ(Messages(), Names{"Delete | critical | You can't delete root"});
  Click("A/B");
  dialogs.Answer("N");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_EQ(dialogs.calls().back().text.rfind("Spostare nel cestino la cartella", 0), 0u);
  EXPECT_EQ(window->CurrentFolder(), Key("A"));
  EXPECT_TRUE(Node("A/B").IsOk());
  EXPECT_EQ(ListedNames(), (Names{"a.txt", "per-sempre.txt"}));

  shift_down = true;
  SelectFile("per-sempre.txt");
  dialogs.Answer("S");
  window->OnFileMenu(kDeleteFileItem);
  EXPECT_EQ(ListedNames(), (Names{"a.txt"}));
  EXPECT_EQ(dialogs.calls().back().text.rfind("Eliminare definitivamente il file", 0), 0u);

  Click("A/B");
  dialogs.Answer("S");
  window->OnLeftDirMenu(kDeleteFolderItem);
  EXPECT_FALSE(Node("A/B").IsOk());
  EXPECT_EQ(window->CurrentFolder(), Key("A"));
}

TEST_F(CommandsTest, OpenEditAndPropertiesReachTheDesktopWithTheRightPaths) {
  folder.Write("my notes.txt", "x");
  folder.Write("Dati/.keep", "");
  Open();
  SelectFile("my notes.txt");
  for (const int item : {kOpenItem, kOpenWithNotepadItem, kFilePropertiesItem}) window->OnFileMenu(item);
  EXPECT_EQ(edited, (Names{Key("my notes.txt")}));
  Click("Dati");
  SelectFile(".keep");
  window->OnFileMenu(kOpenItem);
  EXPECT_EQ(opened, (Names{Key("my notes.txt") + " in " + Root(), Key("Dati/.keep") + " in " + Key("Dati")}));
  window->OnRightDirMenu(kListFolderPropertiesItem);
  window->OnLeftDirMenu(kFolderPropertiesItem);
  EXPECT_EQ(properties, (Names{Key("my notes.txt"), Key("Dati"), Key("Dati")}));

  documents_open = false;
  window->OnFileMenu(kOpenItem);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find(Key("Dati/.keep")), std::string::npos);
}

TEST(ShowExplorerAndWait, AnnullaEmptiesTheChosenFolderAndConfermaKeepsTheLastShown) {
  testing_support::ScriptedDialogs dialogs;
  store::ProfileState state;
  for (const bool cancel : {true, false}) {
    state.Path_Scelto = "prima";
    wxTheApp->CallAfter([cancel] {
      for (wxWindow* top : wxTopLevelWindows)
        if (auto* explorer = dynamic_cast<frmDir*>(top)) cancel ? explorer->OnCancel() : explorer->OnConfirm();
    });
    ShowExplorerAndWait(state);
    // It opens on the system's own drive.
    EXPECT_EQ(state.Path_Scelto, cancel ? "" : platform::drives::SystemDrive());
    testing_support::PumpEvents();
  }
}

// The test display's own clipboard, never a user's: the text goes out and comes back whole.
TEST(DisplayClipboard, CarriesAMarkerAndAnEmptyText) {
  for (const std::string text : {"cartoscope;/home/anna/Città;lettera.txt;copy", ""}) {
    ASSERT_TRUE(platform::clipboard::SetText(text));
    EXPECT_EQ(platform::clipboard::Text(), text);
  }
}

}  // namespace
}  // namespace explorer
