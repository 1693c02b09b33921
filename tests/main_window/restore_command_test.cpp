#include <gtest/gtest.h>

#include "main_window/main_window.h"
#include "restore/restore_window.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace {

using main_window::MainWindow;
using testing_support::ScriptedDialogs;
using testing_support::TempFolder;

constexpr const char* kElsewhere =
    "Si desidera il ripristino dei VECCHI archivi in un'altra\r\r"
    "cartella (senza toccare gli archivi ATTUALI) (S/N)";
constexpr const char* kOverOriginals =
    "Confermi il ripristino dei VECCHI archivi sopra\r\r"
    "gli archivi ATTUALI  (ATTENZIONE!!!)  (S/N)";

class RestoreCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = new MainWindow(state, {});
    state.Path_Dati = data.path();
    window->Show();
    data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n"
                               " 1#Documenti#/home/anna/Documenti/\r\n"
                               " 2#Foto#/home/anna/Foto/\r\n");
    window->txtNome_Copia->ChangeValue("Copia_01.Dat");
    window->SetProfileCommandsEnabled(true);
  }
  void TearDown() override { testing_support::DestroyNow(window); }

  restore::RestoreWindow* Form3() const {
    return dynamic_cast<restore::RestoreWindow*>(
        wxWindow::FindWindowByName(restore::kRestoreWindowName, window));
  }
  std::vector<std::string> Form3Items() const {
    std::vector<std::string> items;
    for (const wxString& s : Form3()->List1->GetStrings()) items.push_back(s.utf8_string());
    return items;
  }
  bool ProfileCommandsEnabled(bool enabled) const {
    for (wxButton* b : {window->Command1, window->Command2, window->Command5, window->Command6,
                        window->Command7})
      if (b->IsEnabled() != enabled) return false;
    return true;
  }

  TempFolder data;
  store::ProfileState state;
  ScriptedDialogs dialogs;
  MainWindow* window = nullptr;
};

TEST_F(RestoreCommandTest, ElsewhereAsksForTheFolderAndListsTheProfilesArchives) {
  for (const char* name : {"1406_1_1.ZIP", "1506_1_2.ZIP", "140611_1.ZIP", "140610_2.ZIP", "1406_2_1.ZIP"})
    data.Write(name, "");
  dialogs.Answer(" S ");
  dialogs.Answer("/tmp/");
  window->OnRestore();
  ASSERT_EQ(dialogs.calls().size(), 3u);
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", std::string("question: ") + kElsewhere,
                                                      "question: Indicare la cartella di arrivo"}));
  for (int i : {1, 2}) EXPECT_EQ(dialogs.calls()[i].title, "Ripristino archivi");
  EXPECT_EQ(dialogs.calls()[1].default_text, "S");
  EXPECT_EQ(dialogs.calls()[2].default_text, "/tmp/");
  EXPECT_EQ(state.Cartella_Arrivo, "/tmp/");

  ASSERT_NE(Form3(), nullptr);
  EXPECT_TRUE(Form3()->IsShown());
  EXPECT_EQ(Form3Items(),
            (std::vector<std::string>{
                " 1    1406_1_1.ZIP Documenti                                /home/anna/Documenti/",
                " 2    1506_1_2.ZIP Foto                                     /home/anna/Foto/"}));
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

TEST_F(RestoreCommandTest, OverTheOriginalsNeedsASecondYes) {
  data.Write("0101_1_1.ZIP", "");
  state.Cartella_Arrivo = "/vecchia/";
  dialogs.Answer("N");
  dialogs.Answer("S");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", std::string("question: ") + kElsewhere,
                                                      std::string("question: ") + kOverOriginals}));
  EXPECT_EQ(dialogs.calls()[2].default_text, "N");
  EXPECT_EQ(dialogs.calls()[2].title, "Ripristino archivi");
  EXPECT_EQ(state.Cartella_Arrivo, "");
  ASSERT_NE(Form3(), nullptr);
  Form3()->OnEnd();
}

TEST_F(RestoreCommandTest, DecliningOrGivingNoFolderEndsQuietly) {
  data.Write("0101_1_1.ZIP", "");
  for (const auto& answers : std::vector<std::vector<std::string>>{{"N", "N"}, {"", "s"}, {"S", "  "}}) {
    dialogs.Clear();
    for (const std::string& a : answers) dialogs.Answer(a);
    window->OnRestore();
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(Form3(), nullptr);
    EXPECT_TRUE(window->IsEnabled());
  }
}

TEST_F(RestoreCommandTest, AFolderThatIsNotAFullPathIsRefused) {
  data.Write("0101_1_1.ZIP", "");
  for (const char* typed : {"~/ripristino", "ripristino/", " /tmp/"}) {
    dialogs.Clear();
    dialogs.Answer("S");
    dialogs.Answer(typed);
    window->OnRestore();
    EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{
                                      "Indicare la cartella di arrivo con il percorso completo, che inizia con / !!!"}))
        << typed;
    EXPECT_EQ(Form3(), nullptr);
  }
}

TEST_F(RestoreCommandTest, NoArchiveSaysSoAndGivesTheCommandsBack) {
  data.Write("140611_1.ZIP", "");  // another profile's
  dialogs.Answer("S");
  dialogs.Answer("/tmp/");
  window->OnRestore();
  EXPECT_EQ(dialogs.Messages(), (std::vector<std::string>{"Non ci sono copie .ZIP da ripristinare !!!"}));
  EXPECT_EQ(dialogs.Log()[3], "beep");
  EXPECT_EQ(Form3(), nullptr);
  EXPECT_TRUE(window->IsEnabled());
  EXPECT_EQ(window->Command5->GetLabel(), "Ripristina copia precedente");
  EXPECT_TRUE(ProfileCommandsEnabled(true));
  EXPECT_EQ(dialogs.busy_depth(), 0);
}

TEST_F(RestoreCommandTest, WithoutAProfileNothingIsAsked) {
  window->txtNome_Copia->ChangeValue("");
  window->OnRestore();
  EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{
                               "beep", "message: Selezionare una copia personalizzata o inserirne una nuova !!!"}));
}

}  // namespace
