#include <gtest/gtest.h>

#include "main_window/main_window.h"
#include "restore/restore_window.h"
#include "support/archive_day.h"
#include "support/fake_archiver.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace {

using Strings = std::vector<std::string>;
using testing_support::WaitFor;

constexpr const char* kElsewhere =
    "Si desidera il ripristino dei VECCHI archivi in un'altra\r\r"
    "cartella (senza toccare gli archivi ATTUALI) (S/N)";
constexpr const char* kOverOriginals =
    "Confermi il ripristino dei VECCHI archivi sopra\r\r"
    "gli archivi ATTUALI  (ATTENZIONE!!!)  (S/N)";

// A main window on a temporary data folder whose archiver is a recording stand-in.
class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = new main_window::MainWindow(state, {});
    state.Path_Dati = data.path();
    window->archiver = archiver.path();
    window->Show();
    Choose("Copia_01.Dat");
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
  bool BackupEnded() const { return !window->BackupInProgress(); }
  std::string Banner() const { return window->Label6[0]->GetLabel().utf8_string(); }
  restore::RestoreWindow* Form3() const {
    return dynamic_cast<restore::RestoreWindow*>(
        wxWindow::FindWindowByName(restore::kRestoreWindowName, window));
  }

  testing_support::TempFolder data;
  testing_support::FakeArchiver archiver{"0.2"};
  store::ProfileState state;
  testing_support::ScriptedDialogs dialogs;
  main_window::MainWindow* window = nullptr;
};

TEST_F(CommandsTest, WithoutAProfileNothingRunsAndAProfileWithoutLinesEndsSilently) {
  Choose("   ");
  window->OnBackup();
  window->OnRestore();
  const std::string no_profile = "message: Selezionare una copia personalizzata o inserirne una nuova !!!";
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", no_profile, "beep", no_profile}));

  data.Write("Copia_03.Dat", "Copia_03.Dat#Vuota\r\n");
  Choose("Copia_03.Dat");
  dialogs.Clear();
  window->OnBackup();
  EXPECT_TRUE(WaitFor([&] { return BackupEnded(); }));
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_TRUE(archiver.Runs().empty());
}

TEST_F(CommandsTest, BackupRunsEveryLineInTurnAndSaysTheEnd) {
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
  // A list click gives the commands back meanwhile; they must not start a second archiver.
  window->SetProfileCommandsEnabled(true);
  window->OnBackup();
  window->OnRestore();
  const std::string wait = "message: Attendere la fine della copia in corso !!!";
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait}));
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));

  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "_1_1.ZIP|/home/anna/Documenti/*.*|",
                                      "-min|-a|-r|-p|" + archive + "_1_2.ZIP|/home/anna/Foto di città/*.*|",
                                      "-min|-a|-r|-p|" + archive + "_1_3.ZIP|/home/anna/.posta/*.*|"}));
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait, "beep", "message: COPIA TERMINATA !!!"}));
  EXPECT_EQ(dialogs.calls().back().title, "Faldone");
  EXPECT_EQ(dialogs.busy_depth(), 0);
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_EQ(Banner(), "FALDONE  -  Copie personalizzate");
}

TEST_F(CommandsTest, BackupNamesFailedAndUnsafeLinesAndNeverRunsThem) {
  data.Write("Copia_12.Dat", "Copia_12.Dat#Lavoro\r\n"
                             " 1#Contratti#/srv/contratti/\r\n"
                             " 2#Vuota#   \r\n"
                             " 3#Citazioni#/srv/\"citazioni\"/\r\n"
                             " 4#Disco guasto#/srv/guasta/\r\n");
  Choose("Copia_12.Dat");
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));
  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "12_1.ZIP|/srv/contratti/*.*|",
                                      "-min|-a|-r|-p|" + archive + "12_4.ZIP|/srv/guasta/*.*|"}));
  EXPECT_EQ(dialogs.Log(),
            (Strings{"beep",
                     "message: ATTENZIONE: COPIA NON COMPLETA !!!\r\r"
                     "Cartelle NON salvate o salvate solo in parte:\r"
                     "   riga 2  Vuota  (): la cartella da salvare non è indicata\r"
                     "   riga 3  Citazioni  (/srv/\"citazioni\"/): il percorso contiene le virgolette (\") "
                     "e non può essere passato al programma di archiviazione\r"
                     "   riga 4  Disco guasto  (/srv/guasta/): alcuni file non sono stati salvati (codice 1)\r\r"
                     "Cartelle salvate:\r"
                     "   riga 1  Contratti  (/srv/contratti/)"}));
}

TEST_F(CommandsTest, RestoreElsewhereListsOnlyTheProfilesArchives) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/home/anna/Documenti/\r\n 2#Foto#/f/\r\n");
  for (const char* name : {"1406_1_1.ZIP", "1506_1_2.ZIP", "140611_1.ZIP", "140610_2.ZIP", "1406_2_1.ZIP"})
    data.Write(name, "");
  dialogs.Answer(" S ");
  dialogs.Answer("/tmp/");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", std::string("question: ") + kElsewhere,
                                    "question: Indicare la cartella di arrivo"}));
  EXPECT_EQ(dialogs.calls()[1].default_text, "S");
  EXPECT_EQ(dialogs.calls()[2].default_text, "/tmp/");
  EXPECT_EQ(dialogs.calls()[2].title, "Ripristino archivi");
  EXPECT_EQ(state.Cartella_Arrivo, "/tmp/");

  ASSERT_NE(Form3(), nullptr);
  EXPECT_TRUE(Form3()->IsShown());
  ASSERT_EQ(Form3()->List1->GetCount(), 2u);
  EXPECT_EQ(Form3()->List1->GetString(0),
            " 1    1406_1_1.ZIP Documenti                                /home/anna/Documenti/");
  EXPECT_EQ(Form3()->List1->GetString(1),
            " 2    1506_1_2.ZIP Foto                                     /f/");
  EXPECT_EQ(Form3()->txtNome_Copia->GetValue(), "Copia_01.Dat");
  EXPECT_EQ(Form3()->txtDescriz_Copia->GetValue(), "Casa");
  EXPECT_FALSE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "ATTENDERE PREGO");
  EXPECT_TRUE(ProfileCommandsEnabled(false));

  Form3()->OnEnd();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
}

TEST_F(CommandsTest, RestoreOverTheOriginalsNeedsASecondYesAndEveryOtherAnswerStops) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/d/\r\n");
  data.Write("0101_1_1.ZIP", "");
  state.Cartella_Arrivo = "/vecchia/";
  dialogs.Answer("N");
  dialogs.Answer("S");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", std::string("question: ") + kElsewhere,
                                    std::string("question: ") + kOverOriginals}));
  EXPECT_EQ(dialogs.calls()[2].default_text, "N");
  EXPECT_EQ(state.Cartella_Arrivo, "");
  ASSERT_NE(Form3(), nullptr);
  Form3()->OnEnd();
  WaitFor([&] { return Form3() == nullptr; });

  for (const Strings& answers : {Strings{"N", "N"}, Strings{"", "s"}, Strings{"S", "  "},
                                 Strings{"S", "~/ripristino"}, Strings{"S", " /tmp/"}}) {
    dialogs.Clear();
    for (const std::string& a : answers) dialogs.Answer(a);
    window->OnRestore();
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    const bool relative = answers[1].find('/') != std::string::npos;
    EXPECT_EQ(dialogs.Messages(), relative ? Strings{"Indicare la cartella di arrivo con il percorso "
                                                     "completo, che inizia con / !!!"}
                                           : Strings{});
    EXPECT_EQ(Form3(), nullptr);
    EXPECT_TRUE(window->IsEnabled());
  }
}

TEST_F(CommandsTest, RestoreWithoutArchivesSaysSoAndGivesTheCommandsBack) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/d/\r\n");
  data.Write("140611_1.ZIP", "");  // another profile's
  dialogs.Answer("S");
  dialogs.Answer("/tmp/");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log().end()[-2], "beep");
  EXPECT_EQ(dialogs.Messages(), (Strings{"Non ci sono copie .ZIP da ripristinare !!!"}));
  EXPECT_EQ(Form3(), nullptr);
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_EQ(dialogs.busy_depth(), 0);
}

}  // namespace
