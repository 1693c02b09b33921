#include <gtest/gtest.h>


#include "main_window/main_window.h"
#include "support/fake_archiver.h"
#include "support/archive_day.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace {

using main_window::MainWindow;
using testing_support::FakeArchiver;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;
using testing_support::WaitFor;

// A main window on a temporary data folder whose archiver is a recording stand-in.
class BackupCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = new MainWindow(state, {});
    state.Path_Dati = data.path();
    window->archiver = archiver.path();
    window->Show();
  }
  void TearDown() override { testing_support::DestroyNow(window); }

  void Choose(const std::string& name) {
    window->txtNome_Copia->ChangeValue(name);
    window->SetProfileCommandsEnabled(true);
  }
  bool ProfileCommandsEnabled(bool enabled) const {
    for (wxButton* b : {window->Command1, window->Command2, window->Command5, window->Command6,
                        window->Command7})
      if (b->IsEnabled() != enabled) return false;
    return true;
  }
  bool Finished() { return !window->BackupInProgress(); }
  std::string Banner() const { return window->Label6[0]->GetLabel().utf8_string(); }

  TempFolder data;
  FakeArchiver archiver{"0.2"};
  store::ProfileState state;
  ScriptedDialogs dialogs;
  MainWindow* window = nullptr;
};

TEST_F(BackupCommandTest, WithoutAProfileNothingRuns) {
  Choose("   ");
  window->OnBackup();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "beep", "message: Selezionare una copia personalizzata o inserirne una nuova !!!"}));
  EXPECT_FALSE(window->BackupInProgress());
  EXPECT_TRUE(archiver.Runs().empty());
}

TEST_F(BackupCommandTest, AProfileWithoutFolderLinesEndsSilently) {
  data.Write("Copia_03.Dat", "Copia_03.Dat#Vuota\r\n");
  Choose("Copia_03.Dat");
  window->OnBackup();
  EXPECT_TRUE(WaitFor([&] { return Finished(); }));
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_TRUE(archiver.Runs().empty());
}

TEST_F(BackupCommandTest, EveryLineRunsInTurnAndTheEndIsSaid) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n"
                             " 1#Documenti#/home/anna/Documenti/\r\n"
                             " 2##/home/anna/Foto di città/\r\n"
                             " 3#Posta#/home/anna/.posta/\r\n");
  Choose("  Copia_01.Dat ");
  window->OnBackup();
  EXPECT_EQ(window->Command1->GetLabel(), "ATTENDERE PREGO");
  EXPECT_TRUE(ProfileCommandsEnabled(false));
  EXPECT_TRUE(window->Command3->IsEnabled() && window->Command4->IsEnabled());
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 1 di 3: Documenti"; }));
  EXPECT_EQ(dialogs.busy_depth(), 1);
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 2 di 3: /home/anna/Foto di città/"; }));
  ASSERT_TRUE(WaitFor([&] { return Finished(); }));

  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(),
            (std::vector<std::string>{
                "-min|-a|-r|-p|" + archive + "_1_1.ZIP|/home/anna/Documenti/*.*|",
                "-min|-a|-r|-p|" + archive + "_1_2.ZIP|/home/anna/Foto di città/*.*|",
                "-min|-a|-r|-p|" + archive + "_1_3.ZIP|/home/anna/.posta/*.*|"}));
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "message: COPIA TERMINATA !!!"}));
  EXPECT_EQ(dialogs.calls()[1].title, "Faldone");
  EXPECT_EQ(dialogs.busy_depth(), 0);
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_EQ(Banner(), "FALDONE  -  Copie personalizzate");
}

TEST_F(BackupCommandTest, FailedAndUnsafeLinesAreNamedAndNeverRun) {
  data.Write("Copia_12.Dat", "Copia_12.Dat#Lavoro\r\n"
                             " 1#Contratti#/srv/contratti/\r\n"
                             " 2#Vuota#   \r\n"
                             " 3#Citazioni#/srv/\"citazioni\"/\r\n"
                             " 4#Disco guasto#/srv/guasta/\r\n");
  Choose("Copia_12.Dat");
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return Finished(); }));
  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (std::vector<std::string>{
                                 "-min|-a|-r|-p|" + archive + "12_1.ZIP|/srv/contratti/*.*|",
                                 "-min|-a|-r|-p|" + archive + "12_4.ZIP|/srv/guasta/*.*|"}));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Log().front(), "beep");
  EXPECT_EQ(dialogs.Messages()[0],
            "ATTENZIONE: COPIA NON COMPLETA !!!\r\r"
            "Cartelle NON salvate o salvate solo in parte:\r"
            "   riga 2  Vuota  (): la cartella da salvare non è indicata\r"
            "   riga 3  Citazioni  (/srv/\"citazioni\"/): il percorso contiene le virgolette (\") e "
            "non può essere passato al programma di archiviazione\r"
            "   riga 4  Disco guasto  (/srv/guasta/): alcuni file non sono stati salvati (codice 1)\r\r"
            "Cartelle salvate:\r"
            "   riga 1  Contratti  (/srv/contratti/)");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
}

TEST_F(BackupCommandTest, AMissingArchiverIsReportedForEveryLine) {
  data.Write("Copia_02.Dat", "Copia_02.Dat#Due\r\n 1#Uno#/a/\r\n 2#Due#/b/\r\n");
  window->archiver = data.path() + "non-installato/archivia";
  Choose("Copia_02.Dat");
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return Finished(); }));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string message = dialogs.Messages()[0];
  EXPECT_NE(message.find("riga 1  Uno  (/a/): impossibile avviare il programma di archiviazione"),
            std::string::npos);
  EXPECT_NE(message.find("riga 2  Due  (/b/): impossibile avviare il programma di archiviazione"),
            std::string::npos);
  EXPECT_NE(message.find("Cartelle salvate:\r   nessuna"), std::string::npos);
}

TEST_F(BackupCommandTest, OneArchiverAtATime) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Uno#/a/\r\n 2#Due#/b/\r\n");
  Choose("Copia_01.Dat");
  window->OnBackup();
  // A list click gives the commands back while the run goes on; they must not start another.
  window->SetProfileCommandsEnabled(true);
  window->OnBackup();
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "beep", "message: Attendere la fine della copia in corso !!!",
                               "beep", "message: Attendere la fine della copia in corso !!!"}));
  ASSERT_TRUE(WaitFor([&] { return Finished(); }));
  EXPECT_EQ(archiver.Runs().size(), 2u);
  EXPECT_EQ(dialogs.Messages().back(), "COPIA TERMINATA !!!");
}

}  // namespace
