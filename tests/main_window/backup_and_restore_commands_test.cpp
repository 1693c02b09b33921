#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>

#include "main_window/restore_target.h"
#include "platform/paths.h"
#include "restore/restore_items.h"
#include "restore/restore_window.h"
#include "support/fake_archiver.h"
#include "support/main_window_fixture.h"

namespace {

using namespace testing_support;
using Strings = std::vector<std::string>;
using platform::paths::kSeparator;
// What the archiver is asked to take from a folder: everything in it.
const std::string kAll = kSeparator + std::string("*.*");

const std::string kElsewhere = "question: Si desidera il ripristino dei VECCHI archivi in un'altra\r\r"
                               "cartella (senza toccare gli archivi ATTUALI) (S/N)|Ripristino archivi|S";
const std::string kOverOriginals = "question: Confermi il ripristino dei VECCHI archivi sopra\r\r"
                                   "gli archivi ATTUALI  (ATTENZIONE!!!)  (S/N)|Ripristino archivi|N";

// The main window with a recording stand-in for the archiver.
class CommandsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    window->archiver = archiver.path();
    Choose("Copia_01.Dat");
  }
  bool BackupEnded() const { return !window->BackupInProgress(); }
  std::string Banner() const { return window->Label6[0]->GetLabel().utf8_string(); }
  restore::RestoreWindow* Form3() const {
    return dynamic_cast<restore::RestoreWindow*>(wxWindow::FindWindowByName(restore::kRestoreWindowName, window));
  }

  TempFolder originals;
  // Tells its figures, then a garbled line and one past its totals.
  FakeArchiver archiver{"0.2", "avanzamento 1234 5678 2254857831 10522669875\n"
                               "avanzamento 1235 5678 2254857832\navanzamento 9 5 0 0\n"};
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
}

TEST_F(CommandsTest, BackupRunsEveryLineInTurnShowingHowFarItHasComeAndSaysTheEnd) {
  const std::string figures = " — 1.234 di 5.678 file, 2,1 di 9,8 GB";
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
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 1 di 3: Documenti" + figures; })) << Banner();
  EXPECT_EQ(dialogs.busy_depth(), 1);
  EXPECT_TRUE(WaitFor([&] { return Banner() == "Copia 2 di 3: " + home + "Foto di città" + kSeparator + figures; }));
  // A list click gives the commands back meanwhile; they must not start a second archiver.
  window->SetProfileCommandsEnabled(true);
  window->OnBackup();
  window->OnRestore();
  const std::string wait = "message: Attendere la fine della copia in corso !!!";
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait}));
  ASSERT_TRUE(WaitFor([&] { return BackupEnded(); }));

  const std::string archive = data.path() + TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "_1_1.ZIP|" + home + "Documenti" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "_1_2.ZIP|" + home + "Foto di città" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "_1_3.ZIP|" + home + ".posta" + kAll + "|"}));
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", wait, "beep", wait, "beep", "message: COPIA TERMINATA !!!"}));
  EXPECT_EQ(window->Command1->GetLabel(), "ESEGUE COPIA PERSONALIZZATA");
  EXPECT_TRUE(ProfileCommandsAre(true));
  EXPECT_EQ(Banner(), "FALDONE  -  Copie personalizzate");
}

// Windows paths ("C:\DOC\"), a folder without "/", a hundred lines: once usage texts and a message too tall.
TEST_F(CommandsTest, ManyFailedLinesGiveAShortHeadlineAndOneReasonEachInADialogOnTheScreen) {
  const std::string home = originals.path();
  for (const char* file : {"contratti/a.txt", "guasta/b.txt", "Senza barra/c.txt"}) originals.Write(file, "x");
  // Which folders are refused, and why, is the folder check's to test; here that its reason shows.
  std::string profile = "Copia_12.Dat#Lavoro\r\n"
                        " 1#Contratti#" + home + "contratti" + kSeparator + "\r\n"
                        " 2#Vuota#   \r\n"
                        " 3#Disco guasto#" + home + "guasta" + kSeparator + "\r\n"
                        " 4#Senza barra#" + home + "Senza barra\r\n";
  for (int i = 5; i <= 100; ++i)
    profile += ' ' + std::to_string(i) + "#Archivio " + std::to_string(i) + "#D:\\ARCHIVIO\\" +
               std::to_string(i) + "\\\r\n";
  data.Write("Copia_12.Dat", profile);
  Choose("Copia_12.Dat");
  platform::ScopedDialogBackend real(platform::WxDialogBackend());
  wxRect dialog_rect, screen;
  std::string headline, details;
  ModalDialogs watcher([&](wxDialog& dialog) {
    dialog_rect = dialog.GetScreenRect();
    screen = wxDisplay(wxDisplay::GetFromWindow(&dialog)).GetGeometry();
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
  EXPECT_EQ(watcher.parents, std::vector<wxWindow*>{window});
  EXPECT_TRUE(screen.Contains(dialog_rect)) << "dialog " << dialog_rect.x << "," << dialog_rect.y << " "
                                            << dialog_rect.width << "x" << dialog_rect.height;
  const std::string archive = data.path() + TodayDDMM();
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-a|-r|-p|" + archive + "12_1.ZIP|" + home + "contratti" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "12_3.ZIP|" + home + "guasta" + kAll + "|",
                                      "-min|-a|-r|-p|" + archive + "12_4.ZIP|" + home + "Senza barra" + kAll + "|"}));
  EXPECT_EQ(headline, "ATTENZIONE: COPIA NON COMPLETA !!!\n\nCartelle non salvate o salvate solo in parte: 98 su 100");
  // The texts are the end message's own; here only that each line's reason reaches it.
  for (const std::string& reason :
       Strings{"riga 2  Vuota: la cartella da salvare", "riga 3  Disco guasto  (" + home + "guasta" + kSeparator +
               "): alcuni file", "riga 100  Archivio 100: la cartella non esiste: D:\\ARCHIVIO\\100\\\n"})
    EXPECT_NE(details.find(reason), std::string::npos) << reason;
  EXPECT_TRUE(details.ends_with("   riga 1  Contratti  (" + home + "contratti" + kSeparator + ")\n"
                                "   riga 4  Senza barra  (" + home + "Senza barra)")) << details;
}

TEST_F(CommandsTest, RestoreElsewhereOrOverTheOriginalsListsOnlyTheProfilesArchivesAndAnyOtherAnswerStops) {
  data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Documenti#/home/anna/Documenti/\r\n 2#Foto#/f/\r\n");
  for (const char* name : {"1406_1_1.ZIP", "1506_1_2.ZIP", "140611_1.ZIP", "140610_2.ZIP", "1406_2_1.ZIP"})
    data.Write(name, "");
  dialogs.Answer(" S ");
  dialogs.Answer(main_window::kDefaultRestoreTarget);
  window->OnRestore();
  const std::string target = std::string("question: Indicare la cartella di arrivo|Ripristino archivi|") +
                             main_window::kDefaultRestoreTarget;
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", kElsewhere, target}));
  EXPECT_EQ(state.Cartella_Arrivo, main_window::kDefaultRestoreTarget);

  ASSERT_TRUE(Form3() && Form3()->IsShown());
  EXPECT_EQ(ListItems(*Form3()->List1),
            (Strings{restore::RestoreListItem(1, "1406_1_1.ZIP", "Documenti", "/home/anna/Documenti/"),
                     restore::RestoreListItem(2, "1506_1_2.ZIP", "Foto", "/f/")}));
  EXPECT_EQ(Form3()->txtNome_Copia->GetValue() + "|" + Form3()->txtDescriz_Copia->GetValue(), "Copia_01.Dat|Casa");
  EXPECT_FALSE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "ATTENDERE PREGO");
  EXPECT_TRUE(ProfileCommandsAre(false));

  Form3()->OnEnd();
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsAre(true));
  ASSERT_TRUE(WaitFor([&] { return Form3() == nullptr; }));

  // Over the originals only after a second yes, and with no target folder.
  dialogs.Clear();
  dialogs.Answer("N");
  dialogs.Answer("S");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (Strings{"beep", kElsewhere, kOverOriginals}));
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
  // the command silently. Last, only other profiles' archives are left.
  std::vector<std::pair<Strings, Strings>> runs = {{{"N", "N"}, {}}, {{"", "s"}, {}}, {{"S", "  "}, {}}};
  for (const std::string& target : incomplete)
    runs.push_back({{"S", target}, {main_window::kIncompleteTargetMessage}});
  runs.push_back({{"S", main_window::kDefaultRestoreTarget}, {"Non ci sono copie .ZIP da ripristinare !!!"}});
  for (const auto& [answers, messages] : runs) {
    if (answers[1] == main_window::kDefaultRestoreTarget)
      for (const char* name : {"1406_1_1.ZIP", "1506_1_2.ZIP"}) std::filesystem::remove(PathOf(data.path() + name));
    dialogs.Clear();
    for (const std::string& a : answers) dialogs.Answer(a);
    window->OnRestore();
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    EXPECT_EQ(dialogs.Messages(), messages) << answers[1];
    EXPECT_EQ(Form3(), nullptr);
  }
}

}  // namespace
