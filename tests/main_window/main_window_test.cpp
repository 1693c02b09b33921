#include "main_window/main_window.h"

#include <gtest/gtest.h>

#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace {

using main_window::MainWindow;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

// A main window working on a temporary data folder, with the editor and the end of the
// program replaced by counters.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_window::MainWindowHooks hooks;
    hooks.openEditor = [this](main_window::MainWindowLink&) { ++editor_opened; };
    hooks.endProgram = [this] { ++program_ended; };
    window = new MainWindow(state, std::move(hooks));
    state.Path_Dati = folder.path();
    window->Show();
  }
  void TearDown() override {
    // Every message and question belongs to this window: parented elsewhere, it would bury it.
    for (const auto& call : dialogs.calls()) EXPECT_EQ(call.parent, window) << call.text;
    testing_support::DestroyNow(window);
  }

  void Select(const std::string& name) {
    for (unsigned i = 0; i < window->List1->GetCount(); ++i)
      if (window->List1->GetString(i).StartsWith(name + " ")) {
        window->List1->SetSelection(static_cast<int>(i));
        window->OnListClick();
        return;
      }
    FAIL() << name << " not listed";
  }
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (const wxString& s : window->List1->GetStrings()) items.push_back(s.utf8_string());
    return items;
  }
  bool ProfileCommandsEnabled() const {
    for (wxButton* b : {window->Command1, window->Command2, window->Command5, window->Command6,
                        window->Command7})
      if (!b->IsEnabled()) return false;
    return true;
  }
  bool ProfileCommandsDisabled() const {
    for (wxButton* b : {window->Command1, window->Command2, window->Command5, window->Command6,
                        window->Command7})
      if (b->IsEnabled()) return false;
    return true;
  }

  TempFolder folder;
  store::ProfileState state;
  ScriptedDialogs dialogs;
  MainWindow* window = nullptr;
  int editor_opened = 0;
  int program_ended = 0;
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderSaysSoAndLeavesOnlyTheAlwaysOnCommands) {
  window->RebuildList();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_EQ(dialogs.calls()[1].title, "Faldone");
  EXPECT_EQ(window->List1->GetCount(), 0u);
  EXPECT_TRUE(ProfileCommandsDisabled());
  EXPECT_TRUE(window->Command3->IsEnabled() && window->Command4->IsEnabled() &&
              window->Command8->IsEnabled());
  EXPECT_EQ(window->GetTitle(),
            "Gestione personalizzata salvataggi archivi e documenti - PAG.1  -  Vers. 01.01 - 14/06/03");
  EXPECT_EQ(testing_support::UnreadableCaptions(*window), std::vector<std::string>{});
}

TEST_F(MainWindowTest, NewProfileThenConfirmCreatesItsFileAndOpensTheEditor) {
  window->RebuildList();
  dialogs.Clear();
  window->OnNewProfile();
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_01.Dat");
  EXPECT_TRUE(window->txtDescriz_Copia->GetValue().StartsWith("Copia 01 (creata il "));
  EXPECT_TRUE(window->Command2->IsEnabled());
  EXPECT_FALSE(window->Command1->IsEnabled() || window->Command5->IsEnabled() ||
               window->Command6->IsEnabled() || window->Command7->IsEnabled());
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));  // nothing is written before "Conferma"

  window->txtDescriz_Copia->SetValue("  Documenti di casa  ");
  window->OnConfirm();
  EXPECT_EQ(folder.Read("Copia_01.Dat"), "Copia_01.Dat#Documenti di casa\r\n");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(MainWindowTest, ConfirmRewritesTheHeaderAndKeepsTheFolderLines) {
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Copia 01 (creata il 14/06/03 alle 10:22:33)\r\n"
                               " 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n");
  window->RebuildList();
  EXPECT_EQ(Items(), (std::vector<std::string>{
                         "Copia_01.Dat  Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)"}));
  Select("Copia_01.Dat");
  EXPECT_TRUE(ProfileCommandsEnabled());
  // The shown path becomes part of the description, and is then not added again.
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)");
  window->OnConfirm();
  EXPECT_EQ(folder.Read("Copia_01.Dat"),
            "Copia_01.Dat#Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)\r\n"
            " 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n");
  window->GiveBack();
  EXPECT_EQ(Items(), (std::vector<std::string>{
                         "Copia_01.Dat  Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)"}));
}

TEST_F(MainWindowTest, DoubleClickConfirmsAndOpensTheEditor) {
  folder.Write("Copia_02.Dat", "Copia_02.Dat#Due\r\n");
  window->RebuildList();
  window->List1->SetSelection(0);
  window->OnListDoubleClick();
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(folder.Read("Copia_02.Dat"), "Copia_02.Dat#Due\r\n");
}

TEST_F(MainWindowTest, DeleteNeedsAnUpperCaseS) {
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  Select("Copia_01.Dat");
  for (const char* answer : {"s", "no", "", "SI"}) {
    dialogs.Clear();
    dialogs.Answer(answer);
    window->OnDelete();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                                 "question: Confermi la cancellazione di   Copia_01.Dat   (S/N)"}))
        << answer;
    EXPECT_EQ(dialogs.calls()[0].title, "Cancellazione record");
    EXPECT_EQ(dialogs.calls()[0].default_text, "N");
    EXPECT_TRUE(folder.Exists("Copia_01.Dat")) << answer;
  }
  dialogs.Clear();
  dialogs.Answer(" S ");
  window->OnDelete();
  EXPECT_FALSE(folder.Exists("Copia_01.Dat"));
  // The last profile is gone: the rebuilt list says so.
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "question: Confermi la cancellazione di   Copia_01.Dat   (S/N)",
                               "beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "");
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "");
  EXPECT_TRUE(ProfileCommandsDisabled());
}

TEST_F(MainWindowTest, DeleteOfAProfileNeverConfirmedReportsOnceAndChangesNothing) {
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  window->OnNewProfile();
  dialogs.Answer("S");
  window->OnDelete();
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Errore in cancellazione file: " + folder.path() + "Copia_02.Dat\r\n\r\n", 0), 0u)
      << messages[0];
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_02.Dat");
  EXPECT_EQ(window->List1->GetCount(), 1u);
  EXPECT_TRUE(folder.Exists("Copia_01.Dat"));
}

TEST_F(MainWindowTest, ChecksComeFirstAndNamesCannotLeaveTheDataFolder) {
  window->OnConfirm();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "message: Indicare una copia personalizzata !!!"}));
  dialogs.Clear();
  window->txtNome_Copia->SetValue("Copia_01.Dat");
  window->OnDelete();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "beep", "message: Indicare una descrizione per la copia personalizzata !!!"}));
  dialogs.Clear();
  window->OnModify();
  EXPECT_EQ(editor_opened, 1);
  window->txtNome_Copia->SetValue("  ");
  window->OnModify();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "beep", "message: Selezionare una copia personalizzata o inserirne una nuova !!!"}));

  for (const char* name : {"../fuori.Dat", "/tmp/fuori.Dat", "a#b.Dat"}) {
    dialogs.Clear();
    window->txtNome_Copia->SetValue(name);
    window->txtDescriz_Copia->SetValue("descrizione");
    window->OnConfirm();
    window->OnModify();
    window->OnDelete();  // refused before any question is asked
    EXPECT_EQ(dialogs.Beeps(), 3) << name;
    EXPECT_EQ(dialogs.Messages().size(), 3u) << name;
  }
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(folder.Listing(), "");
}

TEST_F(MainWindowTest, FailedWriteIsReportedAndTheEditorStaysClosed) {
  state.Path_Dati = folder.path() + "cartella-che-non-esiste/";
  window->txtNome_Copia->SetValue("Copia_01.Dat");
  window->txtDescriz_Copia->SetValue("Uno");
  window->OnConfirm();
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(state.Path_Dati + "Copia_01.Dat"), std::string::npos) << messages[0];
  EXPECT_EQ(editor_opened, 0);
}

TEST_F(MainWindowTest, NoNewProfileAfterNinetyNine) {
  folder.Write("Copia_99.Dat", "Copia_99.Dat#Ultima\r\n");
  window->RebuildList();
  window->OnNewProfile();
  EXPECT_EQ(dialogs.Beeps(), 1);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "");
}

TEST_F(MainWindowTest, ItemWithoutSpaceKeepsTheCurrentValuesButEnablesTheCommands) {
  state.Nome_Copia = "Copia_04.Dat";
  state.Descriz_Copia = "Quattro";
  window->List1->Append("SenzaSpazi");
  window->List1->SetSelection(0);
  window->OnListClick();
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_04.Dat");
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "Quattro");
  EXPECT_TRUE(ProfileCommandsEnabled());
}

// Tab walks the window from the list down: the profile's fields, then the commands.
TEST_F(MainWindowTest, TabWalksFromTheListThroughTheFieldsToTheCommands) {
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  testing_support::ClickItem(*window->List1, 0);
  std::vector<wxWindow*> walk{wxWindow::FindFocus()};
  for (int i = 0; i < 11; ++i) {
    testing_support::PressKey(WXK_TAB);
    walk.push_back(wxWindow::FindFocus());
  }
  EXPECT_EQ(walk, (std::vector<wxWindow*>{window->List1, window->txtNome_Copia,
                                          window->txtDescriz_Copia, window->Command3,
                                          window->Command7, window->Command2, window->Command6,
                                          window->Command1, window->Command5, window->Command8,
                                          window->Command4, window->List1}));
}

TEST_F(MainWindowTest, ChildWindowsDisableAndGiveBackTheWindow) {
  folder.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->DisableForChild();
  EXPECT_FALSE(window->IsEnabled());
  window->GiveBack();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->List1->GetCount(), 1u);
  window->OnEnd();
  EXPECT_EQ(program_ended, 1);
}

}  // namespace
