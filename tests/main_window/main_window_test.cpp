#include "main_window/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/main_window_fixture.h"
#include "support/window_checks.h"

namespace {

using Strings = std::vector<std::string>;

class MainWindowTest : public testing_support::MainWindowFixture {
 protected:
  void Select(const std::string& name) {
    for (unsigned i = 0; i < window->List1->GetCount(); ++i)
      if (window->List1->GetString(i).StartsWith(name + " ")) {
        window->List1->SetSelection(static_cast<int>(i));
        window->OnListClick();
        return;
      }
    FAIL() << name << " not listed";
  }
  Strings Items() const { return testing_support::ListItems(*window->List1); }
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderSaysSoAndAChildWindowGivesBackAFreshList) {
  window->RebuildList();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_EQ(dialogs.calls()[1].title, "Faldone");
  EXPECT_EQ(window->List1->GetCount(), 0u);
  EXPECT_TRUE(ProfileCommandsAre(false));
  EXPECT_TRUE(window->Command3->IsEnabled() && window->Command4->IsEnabled() &&
              window->Command8->IsEnabled());
  EXPECT_EQ(window->GetTitle(),
            "Gestione personalizzata salvataggi archivi e documenti - PAG.1  -  Vers. 01.01 - 14/06/03");
  EXPECT_EQ(testing_support::UnreadableCaptions(*window), Strings{});

  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->DisableForChild();
  EXPECT_FALSE(window->IsEnabled());
  window->GiveBack();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->List1->GetCount(), 1u);
  window->OnEnd();
  EXPECT_EQ(program_ended, 1);
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
  EXPECT_FALSE(data.Exists("Copia_01.Dat"));  // nothing is written before "Conferma"

  window->txtDescriz_Copia->SetValue("  Documenti di casa  ");
  window->OnConfirm();
  EXPECT_EQ(data.Read("Copia_01.Dat"), "Copia_01.Dat#Documenti di casa\r\n");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(MainWindowTest, ConfirmRewritesTheHeaderKeepsTheFolderLinesAndADoubleClickDoesTheSame) {
  const std::string header = "Copia_01.Dat#Copia 01 (creata il 14/06/03 alle 10:22:33)";
  data.Write("Copia_01.Dat", header + "\r\n 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n");
  const Strings listed{"Copia_01.Dat  Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)"};
  window->RebuildList();
  EXPECT_EQ(Items(), listed);
  Select("Copia_01.Dat");
  EXPECT_TRUE(ProfileCommandsAre(true));
  // The shown path becomes part of the description, and is then not added again.
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)");
  window->OnConfirm();
  const std::string rewritten = header + " (/foto/)\r\n 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n";
  EXPECT_EQ(data.Read("Copia_01.Dat"), rewritten);
  window->GiveBack();
  EXPECT_EQ(Items(), listed);

  window->List1->SetSelection(0);
  window->OnListDoubleClick();
  EXPECT_EQ(editor_opened, 2);
  EXPECT_EQ(data.Read("Copia_01.Dat"), rewritten);
}

TEST_F(MainWindowTest, DeleteNeedsAnUpperCaseS) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  Select("Copia_01.Dat");
  const std::string question = "question: Confermi la cancellazione di   Copia_01.Dat   (S/N)";
  for (const char* answer : {"s", "no", "", "SI"}) {
    dialogs.Clear();
    dialogs.Answer(answer);
    window->OnDelete();
    EXPECT_EQ(dialogs.Log(), Strings{question}) << answer;
    EXPECT_EQ(dialogs.calls()[0].title, "Cancellazione record");
    EXPECT_EQ(dialogs.calls()[0].default_text, "N");
    EXPECT_TRUE(data.Exists("Copia_01.Dat")) << answer;
  }
  dialogs.Clear();
  dialogs.Answer(" S ");
  window->OnDelete();
  EXPECT_FALSE(data.Exists("Copia_01.Dat"));
  // The last profile is gone: the rebuilt list says so.
  EXPECT_EQ(dialogs.Log(), (Strings{question, "beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "");
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "");
  EXPECT_TRUE(ProfileCommandsAre(false));
}

TEST_F(MainWindowTest, DeleteOfAProfileNeverConfirmedReportsOnceAndChangesNothing) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  window->OnNewProfile();
  dialogs.Answer("S");
  window->OnDelete();
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with("Errore in cancellazione file: " + data.path() + "Copia_02.Dat\r\n\r\n"))
      << messages[0];
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_02.Dat");
  EXPECT_EQ(window->List1->GetCount(), 1u);
  EXPECT_TRUE(data.Exists("Copia_01.Dat"));
}

TEST_F(MainWindowTest, ChecksComeFirstAndNamesCannotLeaveTheDataFolder) {
  window->OnConfirm();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", "message: Indicare una copia personalizzata !!!"}));
  dialogs.Clear();
  window->txtNome_Copia->SetValue("Copia_01.Dat");
  window->OnDelete();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", "message: Indicare una descrizione per la copia personalizzata !!!"}));
  dialogs.Clear();
  window->OnModify();
  EXPECT_EQ(editor_opened, 1);
  window->txtNome_Copia->SetValue("  ");
  window->OnModify();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", "message: Selezionare una copia personalizzata o inserirne una nuova !!!"}));

  for (const char* name : {"../fuori.Dat", "/tmp/fuori.Dat", "a#b.Dat"}) {
    dialogs.Clear();
    window->txtNome_Copia->SetValue(name);
    window->txtDescriz_Copia->SetValue("descrizione");
    window->OnConfirm();
    window->OnModify();
    window->OnDelete();  // refused before any question is asked
    EXPECT_EQ(std::ranges::count(dialogs.Log(), "beep"), 3) << name;
    EXPECT_EQ(dialogs.Messages().size(), 3u) << name;
  }
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(data.Listing(), "");
}

TEST_F(MainWindowTest, FailedWriteIsReportedAndTheEditorStaysClosed) {
  state.Path_Dati = data.path() + "cartella-che-non-esiste/";
  window->txtNome_Copia->SetValue("Copia_01.Dat");
  window->txtDescriz_Copia->SetValue("Uno");
  window->OnConfirm();
  const auto messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(state.Path_Dati + "Copia_01.Dat"), std::string::npos) << messages[0];
  EXPECT_EQ(editor_opened, 0);
}

TEST_F(MainWindowTest, NoNewProfileAfterNinetyNine) {
  data.Write("Copia_99.Dat", "Copia_99.Dat#Ultima\r\n");
  window->RebuildList();
  window->OnNewProfile();
  const auto log = dialogs.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_TRUE(log[0] == "beep" && log[1].starts_with("message: ")) << log[1];
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
  EXPECT_TRUE(ProfileCommandsAre(true));
}

// Tab walks the window from the list down: the profile's fields, then the commands.
TEST_F(MainWindowTest, TabWalksFromTheListThroughTheFieldsToTheCommands) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  ASSERT_TRUE(testing_support::ClickItem(*window->List1, 0));
  const std::vector<testing_support::TabStop> walk{
      {window->txtNome_Copia, "txtNome_Copia"}, {window->txtDescriz_Copia, "txtDescriz_Copia"},
      {window->Command3, "Command3"}, {window->Command7, "Command7"}, {window->Command2, "Command2"},
      {window->Command6, "Command6"}, {window->Command1, "Command1"}, {window->Command5, "Command5"},
      {window->Command8, "Command8"}, {window->Command4, "Command4"}, {window->List1, "List1"}};
  EXPECT_EQ(testing_support::TabWalk(walk), testing_support::StopNames(walk));
}

}  // namespace
