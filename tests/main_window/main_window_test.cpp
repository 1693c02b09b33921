#include "main_window/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using testing::HasSubstr;
using namespace testing_support;

class MainWindowTest : public MainWindowFixture {
 protected:
  // "Nuova copia personalizzata", a name typed over the proposed one, "Conferma": the refusal or "".
  std::string ConfirmNewProfileNamed(const std::string& name) {
    dialogs.Clear();
    window->Command2->Disable();
    EXPECT_TRUE(ClickOn(*window->Command3, wxMOUSE_BTN_LEFT, [&] { return window->Command2->IsEnabled(); }));
    EXPECT_TRUE(ClickInto(*window->txtNome_Copia));
    window->txtNome_Copia->SelectAll();
    const auto typed = [&] { return window->txtNome_Copia->GetValue().utf8_string(); };
    EXPECT_TRUE(TypeText(name, [&] { return typed() == name; })) << "typed " << typed();
    const int opened = editor_opened;
    EXPECT_TRUE(ClickOn(*window->Command2, wxMOUSE_BTN_LEFT,
                        [&] { return !dialogs.calls().empty() || editor_opened > opened; }));
    const auto log = dialogs.Log();
    return log.size() == 2 && log[0] == "beep" ? log[1] : "";
  }
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderSaysSoAChildWindowGivesBackAFreshListAndTabWalksFromIt) {
  window->RebuildList();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_TRUE(ProfileCommandsAre(false));
  EXPECT_EQ(UnreadableCaptions(*window), Strings{});

  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->DisableForChild();
  EXPECT_FALSE(window->IsEnabled());
  window->GiveBack();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->List1->GetCount(), 1u);
  ASSERT_TRUE(ClickItem(*window->List1, 0));
  const std::vector<TabStop> walk{
      {window->txtNome_Copia, "txtNome_Copia"}, {window->txtDescriz_Copia, "txtDescriz_Copia"},
      {window->Command3, "Command3"}, {window->Command7, "Command7"}, {window->Command2, "Command2"},
      {window->Command6, "Command6"}, {window->Command1, "Command1"}, {window->Command5, "Command5"},
      {window->Command8, "Command8"}, {window->Command4, "Command4"}, {window->List1, "List1"}};
  EXPECT_EQ(TabWalk(walk), StopNames(walk));
  window->OnEnd();
  EXPECT_EQ(program_ended, 1);
}

TEST_F(MainWindowTest, NewProfileThenConfirmCreatesItsFileOrSaysWhyNotAndOpensTheEditorUpToCopia99) {
  window->RebuildList();
  dialogs.Clear();
  window->OnNewProfile();
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_01.Dat");
  EXPECT_TRUE(window->txtDescriz_Copia->GetValue().StartsWith("Copia 01 (creata il "));
  EXPECT_TRUE(window->Command2->IsEnabled());
  EXPECT_FALSE(window->Command1->IsEnabled() || window->Command5->IsEnabled() ||
               window->Command6->IsEnabled() || window->Command7->IsEnabled());
  EXPECT_FALSE(data.Exists("Copia_01.Dat"));  // nothing is written before "Conferma"

  // A data folder that has gone: reported with the file, and no editor on a profile not written.
  state.Path_Dati = data.path() + "cartella-che-non-esiste/";
  window->OnConfirm();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find(state.Path_Dati + "Copia_01.Dat"), std::string::npos) << dialogs.Messages()[0];
  EXPECT_EQ(editor_opened, 0);
  dialogs.Clear();
  state.Path_Dati = data.path();
  window->txtDescriz_Copia->SetValue("  Documenti di casa  ");
  window->OnConfirm();
  EXPECT_EQ(data.Read("Copia_01.Dat"), "Copia_01.Dat#Documenti di casa\r\n");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_TRUE(dialogs.Log().empty());

  // No new profile after Copia_99.
  data.Write("Copia_99.Dat", "Copia_99.Dat#Ultima\r\n");
  window->RebuildList();
  window->OnNewProfile();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_01.Dat");  // no name proposed
}

TEST_F(MainWindowTest, ConfirmRewritesTheHeaderKeepsTheFolderLinesAndADoubleClickDoesTheSame) {
  const std::string header = "Copia_01.Dat#Copia 01 (creata il 14/06/03 alle 10:22:33)";
  data.Write("Copia_01.Dat", header + "\r\n 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n");
  const Strings listed{"Copia_01.Dat  Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)"};
  window->RebuildList();
  EXPECT_EQ(ListItems(*window->List1), listed);
  PickInList(*window, 0);
  EXPECT_TRUE(ProfileCommandsAre(true));
  // The shown path becomes part of the description, and is then not added again.
  EXPECT_EQ(window->txtDescriz_Copia->GetValue(), "Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)");
  window->OnConfirm();
  const std::string rewritten = header + " (/foto/)\r\n 1#Doc#/doc/\r\n 2#Foto#/foto/\r\n";
  EXPECT_EQ(data.Read("Copia_01.Dat"), rewritten);
  window->GiveBack();
  EXPECT_EQ(ListItems(*window->List1), listed);

  window->List1->SetSelection(0);
  window->OnListDoubleClick();
  EXPECT_EQ(editor_opened, 2);
  EXPECT_EQ(data.Read("Copia_01.Dat"), rewritten);

  // An item without a space keeps the profile shown but gives the commands back.
  window->SetProfileCommandsEnabled(false);
  window->List1->Append("SenzaSpazi");
  PickInList(*window, 1);
  EXPECT_EQ(window->txtNome_Copia->GetValue() + "|" + window->txtDescriz_Copia->GetValue(),
            "Copia_01.Dat|Copia 01 (creata il 14/06/03 alle 10:22:33) (/foto/)");
  EXPECT_TRUE(ProfileCommandsAre(true));
}

TEST_F(MainWindowTest, DeleteNeedsAnUpperCaseSAndAFailedOneIsReportedWithItsFile) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Uno\r\n");
  window->RebuildList();
  window->OnNewProfile();  // never confirmed: there is no file to delete
  dialogs.Answer("S");
  window->OnDelete();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_TRUE(dialogs.Messages()[0].starts_with("Errore in cancellazione file: " + data.path() +
                                                "Copia_02.Dat\r\n\r\n")) << dialogs.Messages()[0];
  EXPECT_EQ(window->txtNome_Copia->GetValue(), "Copia_02.Dat");

  PickInList(*window, 0);
  const std::string question = "question: Confermi la cancellazione di   Copia_01.Dat   (S/N)|Cancellazione record|N";
  for (const char* answer : {"s", "no", "", "SI"}) {
    dialogs.Clear();
    dialogs.Answer(answer);
    window->OnDelete();
    EXPECT_EQ(dialogs.Log(), Strings{question}) << answer;
    EXPECT_TRUE(data.Exists("Copia_01.Dat")) << answer;
  }
  dialogs.Clear();
  dialogs.Answer(" S ");
  window->OnDelete();
  EXPECT_FALSE(data.Exists("Copia_01.Dat"));
  // The last profile is gone: the rebuilt list says so.
  EXPECT_EQ(dialogs.Log(), (Strings{question, "beep", "message: Nessuna copia trovata !!!"}));
  EXPECT_EQ(window->txtNome_Copia->GetValue() + window->txtDescriz_Copia->GetValue(), "");
  EXPECT_TRUE(ProfileCommandsAre(false));
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

  // Which names are refused is the profile file's to test; here that every command asks it.
  dialogs.Clear();
  window->txtNome_Copia->SetValue("../fuori.Dat");
  window->txtDescriz_Copia->SetValue("descrizione");
  window->OnConfirm();
  window->OnModify();
  window->OnDelete();  // refused before any question is asked
  EXPECT_EQ(dialogs.Messages().size(), 3u);
  EXPECT_EQ(editor_opened, 1);
}

// New profile names the list (split at a space, "*.DAT") or the archives (by code) could not carry.
TEST_F(MainWindowTest, NamesTheListOrTheArchivesCouldNotCarryAreRefusedAndSayWhy) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Doc#/doc/\r\n");
  window->Raise();
  ASSERT_TRUE(WaitFor([this] { return window->IsShownOnScreen(); }));
  window->RebuildList();
  // The list would split "Copia 02.Dat" into "Copia", and the next "Conferma" made that file.
  EXPECT_THAT(ConfirmNewProfileNamed("Copia 02.Dat"), HasSubstr("Copia 02.Dat contiene uno spazio"));
  // Listed only as "*.DAT": this profile would never be seen again.
  EXPECT_THAT(ConfirmNewProfileNamed("Lavoro"), HasSubstr("Lavoro non finisce con .Dat"));
  // Code _1, as Copia_01.Dat: the two profiles' archives would be one and the same.
  EXPECT_THAT(ConfirmNewProfileNamed("Lavoro_01.Dat"), HasSubstr("stesso codice di copia (_1) di Copia_01.Dat"));
  EXPECT_EQ(editor_opened, 0);
  EXPECT_EQ(data.Listing(), "Copia_01.Dat");

  // A name the program can carry, with the ending in any case, is created as before.
  EXPECT_EQ(ConfirmNewProfileNamed("Lavoro_02.DAT"), "");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(data.Listing(), "Copia_01.Dat Lavoro_02.DAT");
}

}  // namespace
