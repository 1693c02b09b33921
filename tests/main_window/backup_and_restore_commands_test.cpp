#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>

#include "main_window/restore_target.h"
#include "platform/paths.h"
#include "restore/restore_window.h"
#include "support/archive_day.h"
#include "support/fake_archiver.h"
#include "support/gui_helpers.h"
#include "support/main_window_fixture.h"
#include "support/wait_for.h"

namespace {

using Strings = std::vector<std::string>;
using platform::paths::kSeparator;
// What the archiver is asked to take from a folder: everything in it.
const std::string kAll = kSeparator + std::string("*.*");
using testing_support::WaitFor;

constexpr const char* kElsewhere =
    "Si desidera il ripristino dei VECCHI archivi in un'altra\r\r"
    "cartella (senza toccare gli archivi ATTUALI) (S/N)";
constexpr const char* kOverOriginals =
    "Confermi il ripristino dei VECCHI archivi sopra\r\r"
    "gli archivi ATTUALI  (ATTENZIONE!!!)  (S/N)";

// The main window with a recording stand-in for the archiver.
class CommandsTest : public testing_support::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    window->archiver = archiver.path();
    Choose("Copia_01.Dat");
  }
  bool BackupEnded() const { return !window->BackupInProgress(); }
  std::string Banner() const { return window->Label6[0]->GetLabel().utf8_string(); }
  restore::RestoreWindow* Form3() const {
    return dynamic_cast<restore::RestoreWindow*>(
        wxWindow::FindWindowByName(restore::kRestoreWindowName, window));
  }

  testing_support::TempFolder originals;
  testing_support::FakeArchiver archiver{"0.2"};
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
  EXPECT_TRUE(ProfileCommandsAre(true));
  EXPECT_TRUE(archiver.Runs().empty());
}

TEST_F(CommandsTest, BackupRunsEveryLineInTurnAndSaysTheEnd) {
  for (const char* folder : {"Documenti/a.txt", "Foto di città/b.jpg", ".posta/c.eml"}) originals.Write(folder, "x");
  const std::string home = originals.path();
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n"
                             " 1#Documenti#" + home + "Documenti" + kSeparator + "\r\n"
                             " 2##" + home + "Foto di città" + kSeparator + "\r\n"
                             " 3#Posta#" + home + ".posta" + kSeparator + "\r\n");
  Choose("  Copia_01.Dat ");
  window->OnBackup();
  EXPECT_EQ(window->Command1->GetLabel(), "ATTENDERE PREGO");
  EXPECT_TRUE(ProfileCommandsAre(false));
  EXPECT_TRUE(window->Command3->IsEnabled() && window->Command4->IsEnabled());
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 1 di 3: Documenti"; }));
  EXPECT_EQ(dialogs.busy_depth(), 1);
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 2 di 3: " + home + "Foto di città" + kSeparator; }));
  // A list click gives the commands back meanwhile; they must not start a second archiver.
  window->SetProfileCommandsEnabled(true);
  window->OnBackup();
  window->OnRestore();
  const std::string wait = "message: Attendere la fine della copia in corso !!!";
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait}));
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));

  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "_1_1.ZIP|" + home + "Documenti" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "_1_2.ZIP|" + home + "Foto di città" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "_1_3.ZIP|" + home + ".posta" + kAll + "|"}));
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait, "beep", "message: COPIA TERMINATA !!!"}));
  EXPECT_EQ(dialogs.calls().back().title, "Faldone");
  EXPECT_EQ(dialogs.busy_depth(), 0);
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsAre(true));
  EXPECT_EQ(Banner(), "FALDONE  -  Copie personalizzate");
}

// The banner follows the archiver's figures, a garbled line changes nothing, the hourglass stays.
TEST_F(CommandsTest, TheBannerShowsHowFarTheLineHasCome) {
  testing_support::FakeArchiver telling("1", "avanzamento 1234 5678 2254857831 10522669875\n"
                                             "avanzamento 1235 5678 2254857832\navanzamento 9 5 0 0\n");
  window->archiver = telling.path();
  originals.Write("Documenti/a.txt", "x");
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#" + originals.path() + "Documenti" + kSeparator + "\r\n");
  Choose("Copia_01.Dat");
  window->OnBackup();
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 1 di 1: Documenti — 1.234 di 5.678 file, 2,1 di 9,8 GB"; }))
      << Banner();
  EXPECT_EQ(window->Command1->GetLabel(), "ATTENDERE PREGO");
  EXPECT_EQ(dialogs.busy_depth(), 1);
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));
  EXPECT_EQ(Banner(), "FALDONE  -  Copie personalizzate");
}

// Lines from the Windows program ("C:\DOC\"), a folder without its closing "/", a hundred lines:
// once the archiver's usage text for each.
TEST_F(CommandsTest, ManyFailedLinesGiveAShortHeadlineAndOneReasonEachInTheDetails) {
  const std::string home = originals.path();
  originals.Write("contratti/a.txt", "x");
  originals.Write("guasta/b.txt", "x");
  originals.Write("Senza barra/c.txt", "x");
  std::string profile = "Copia_12.Dat#Lavoro\r\n"
                        " 1#Contratti#" + home + "contratti" + kSeparator + "\r\n"
                        " 2#Vuota#   \r\n"
                        " 3#Citazioni#" + home + "\"citazioni\"/\r\n"
                        " 4#Disco guasto#" + home + "guasta" + kSeparator + "\r\n"
                        " 5#Documenti#C:\\DOC\\\r\n"
                        " 6#Senza barra#" + home + "Senza barra\r\n";
  for (int i = 7; i <= 100; ++i)
    profile += ' ' + std::to_string(i) + "#Archivio " + std::to_string(i) + "#D:\\ARCHIVIO\\" +
               std::to_string(i) + "\\\r\n";
  data.Write("Copia_12.Dat", profile);
  Choose("Copia_12.Dat");
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));

  const std::string archive = data.path() + testing_support::TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "12_1.ZIP|" + home + "contratti" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "12_4.ZIP|" + home + "guasta" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "12_6.ZIP|" + home + "Senza barra" + kAll + "|"}));
  ASSERT_EQ(dialogs.Log(), (Strings{"beep", "detailed message: ATTENZIONE: COPIA NON COMPLETA !!!\r\r"
                                            "Cartelle non salvate o salvate solo in parte: 98 su 100"}));
  EXPECT_EQ(dialogs.calls().back().title, "Faldone");
  // The texts are the end message's own; here only that each line's reason reaches it.
  const std::string& details = dialogs.calls().back().details;
  for (const std::string& reason :
       Strings{"riga 2  Vuota: la cartella da salvare", "riga 3  Citazioni: il percorso contiene",
               "riga 4  Disco guasto  (" + home + "guasta" + kSeparator + "): alcuni file",
               "riga 5  Documenti: la cartella non esiste: C:\\DOC\\\r",
               "riga 100  Archivio 100: la cartella non esiste: D:\\ARCHIVIO\\100\\\r"})
    EXPECT_NE(details.find(reason), std::string::npos) << reason;
  EXPECT_TRUE(details.ends_with("   riga 1  Contratti  (" + home + "contratti" + kSeparator + ")\r"
                                "   riga 6  Senza barra  (" + home + "Senza barra)"));
}

// A hundred failed lines once made the toolkit's message taller than the screen.
TEST_F(CommandsTest, TheRealDetailsDialogStaysOnTheScreenAndAKeyClosesIt) {
  std::string profile = "Copia_01.Dat#Casa\r\n";
  for (int i = 1; i <= 100; ++i)
    profile += ' ' + std::to_string(i) + "#Cartella " + std::to_string(i) + "#C:\\DOC\\" + std::to_string(i) + "\r\n";
  data.Write("Copia_01.Dat", profile);
  platform::ScopedDialogBackend real(platform::WxDialogBackend());

  wxRect dialog_rect, screen;
  wxWindow* parent = nullptr;
  std::string headline, details;
  testing_support::ModalDialogs watcher([&](wxDialog& dialog) {
    dialog_rect = dialog.GetScreenRect();
    screen = wxDisplay(wxDisplay::GetFromWindow(&dialog)).GetGeometry();
    parent = dialog.GetParent();
    for (wxWindow* child : dialog.GetChildren()) {
      if (auto* text = dynamic_cast<wxStaticText*>(child)) headline = text->GetLabel().utf8_string();
      if (auto* text = dynamic_cast<wxTextCtrl*>(child)) details = text->GetValue().utf8_string();
    }
    wxUIActionSimulator user;
    user.MouseMove(dialog_rect.GetPosition() + wxPoint(dialog_rect.width / 2, dialog_rect.height / 2));
    user.Char(WXK_ESCAPE);
  });
  window->OnBackup();
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));

  EXPECT_EQ(watcher.unanswered, 0) << "the key never reached the dialog";
  EXPECT_TRUE(archiver.Runs().empty());
  EXPECT_EQ(parent, window);
  EXPECT_TRUE(screen.Contains(dialog_rect)) << "dialog " << dialog_rect.x << "," << dialog_rect.y << " "
                                            << dialog_rect.width << "x" << dialog_rect.height;
  EXPECT_EQ(headline, "ATTENZIONE: COPIA NON COMPLETA !!!\n\nCartelle non salvate o salvate solo in parte: 100 su 100");
  EXPECT_NE(details.find("\n   riga 100  Cartella 100: la cartella non esiste: C:\\DOC\\100\n"), std::string::npos);
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
}

TEST_F(CommandsTest, RestoreElsewhereListsOnlyTheProfilesArchives) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/home/anna/Documenti/\r\n 2#Foto#/f/\r\n");
  for (const char* name : {"1406_1_1.ZIP", "1506_1_2.ZIP", "140611_1.ZIP", "140610_2.ZIP", "1406_2_1.ZIP"})
    data.Write(name, "");
  dialogs.Answer(" S ");
  dialogs.Answer(main_window::kDefaultRestoreTarget);
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", std::string("question: ") + kElsewhere,
                                    "question: Indicare la cartella di arrivo"}));
  EXPECT_EQ(dialogs.calls()[1].default_text, "S");
  EXPECT_EQ(dialogs.calls()[2].default_text, main_window::kDefaultRestoreTarget);
  EXPECT_EQ(dialogs.calls()[2].title, "Ripristino archivi");
  EXPECT_EQ(state.Cartella_Arrivo, main_window::kDefaultRestoreTarget);

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
  EXPECT_TRUE(ProfileCommandsAre(false));

  Form3()->OnEnd();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsAre(true));
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
  ASSERT_TRUE(WaitFor([&] { return Form3() == nullptr; }));

  // Targets that would land wherever the program happens to run are refused with a message.
#ifdef _WIN32
  const Strings incomplete = {"C:ripristino", "\\ripristino\\", " C:\\TMP\\", "ripristino"};
#else
  const Strings incomplete = {"~/ripristino", " /tmp/", "ripristino"};
#endif
  // Each run's answers, and the messages it shows: a declined question or an empty folder ends
  // the command silently.
  std::vector<std::pair<Strings, Strings>> runs = {{{"N", "N"}, {}}, {{"", "s"}, {}}, {{"S", "  "}, {}}};
  for (const std::string& target : incomplete)
    runs.push_back({{"S", target}, {main_window::kIncompleteTargetMessage}});
  for (const auto& [answers, messages] : runs) {
    dialogs.Clear();
    for (const std::string& a : answers) dialogs.Answer(a);
    window->OnRestore();
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    EXPECT_EQ(dialogs.Messages(), messages) << answers[1];
    EXPECT_EQ(Form3(), nullptr);
    EXPECT_TRUE(window->IsEnabled());
  }
}

TEST_F(CommandsTest, RestoreWithoutArchivesSaysSoAndGivesTheCommandsBack) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/d/\r\n");
  data.Write("140611_1.ZIP", "");  // another profile's
  dialogs.Answer("S");
  dialogs.Answer(main_window::kDefaultRestoreTarget);
  window->OnRestore();
  EXPECT_EQ(dialogs.Log().end()[-2], "beep");
  EXPECT_EQ(dialogs.Messages(), (Strings{"Non ci sono copie .ZIP da ripristinare !!!"}));
  EXPECT_EQ(Form3(), nullptr);
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsAre(true));
  EXPECT_EQ(dialogs.busy_depth(), 0);
}

}  // namespace
