#include "restore/restore_window.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "restore/restore_items.h"
#include "support/fake_archiver.h"
#include "support/main_window_fixture.h"

namespace {

using namespace testing_support;
using Strings = std::vector<std::string>;

// An original folder as this system writes it, on the drive of where the test writes.
std::string Office(const std::string& drive_root, int line) {
  return drive_root + "ufficio" + platform::paths::kSeparator + std::to_string(line) + platform::paths::kSeparator;
}

class RestoreWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.Path_Dati = data.path();
    state.Nome_Copia = "Copia_03.Dat";
    state.Descriz_Copia = "Ufficio";
    state.Num_Righe = 12;
    owner->Show();
    for (int i = 1; i <= 12; ++i) {
      state.Des_Riga[i] = "Riga " + std::to_string(i);
      state.Path_Riga[i] = Office(root, i);
      data.Write("1205_3" + std::string(i < 10 ? "_" : "") + std::to_string(i) + ".ZIP", "");
    }
  }
  void TearDown() override {
    // Its messages belong to this window: parented elsewhere, they would bury it.
    for (const auto& call : dialogs.calls()) EXPECT_EQ(call.parent, opened) << call.text;
    if (WindowOpen()) window->Destroy();
    // Gone for good, or its focus would go on into the next test.
    EXPECT_TRUE(WaitFor([&] { return !window; }));
    DestroyNow(owner);
  }

  void Open(const std::vector<std::string>& items) {
    window = restore::OpenRestoreWindow(owner, state, link, archiver.path(), items);
    opened = window.get();
  }
  bool WindowOpen() const { return window && window->IsShown(); }

  TempFolder data;
  const std::string root = platform::paths::DriveRoot(data.path());
  // Stands where the main window stands: the restore window floats on it.
  wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "Faldone");
  FakeArchiver archiver{"0.1", "avanzamento 3 4 300 400\n"};
  store::ProfileState state;
  ScriptedDialogs dialogs;
  RecordingLink link;
  wxWeakRef<restore::RestoreWindow> window;
  wxWindow* opened = nullptr;  // the window opened last, compared only
  const std::vector<std::string> items{
      restore::RestoreListItem(1, "1105_3_1.ZIP", "Riga 1", Office(root, 1)),
      restore::RestoreListItem(2, "1205_3_2.ZIP", "Riga 2", Office(root, 2))};
};

// Through the toolkit, in front of the real main window.
TEST_F(RestoreWindowTest, RestoringBeforeChoosingAnEntrySaysSoAndTheWindowKeepsTheFocus) {
  auto* main = new main_window::MainWindow(state, {});
  main->Show();
  state.Path_Dati = data.path();
  data.Write("Copia_03.Dat", "Copia_03.Dat#Ufficio\r\n");
  window = restore::OpenRestoreWindow(main, state, *main, archiver.path(), items);
  EXPECT_FALSE(window->txtNum_Copia->IsEditable());
  EXPECT_TRUE(window->txtPath_Copia->IsEditable());
  ExpectEachClickAMessageOwnedBy(*window->Command5, *window);
  EXPECT_TRUE(WindowOpen());
  EXPECT_TRUE(archiver.Runs().empty());
  window->Close();
  EXPECT_TRUE(WaitFor([&] { return !window; }));
  DestroyNow(main);
}

TEST_F(RestoreWindowTest, CaptionsAreReadableAndTabWalksTheControlsInTheirTabOrder) {
  Open(items);
  EXPECT_EQ(UnreadableCaptions(*window), Strings{});
  ASSERT_TRUE(ClickInto(*window->txtNome_Copia));
  const std::vector<TabStop> walk{
      {window->List1, "List1"}, {window->txtNum_Copia, "txtNum_Copia"}, {window->txtDes_Copia, "txtDes_Copia"},
      {window->txtPath_Copia, "txtPath_Copia"}, {window->txtDescriz_Copia, "txtDescriz_Copia"},
      {window->Command4, "Command4"}, {window->Command5, "Command5"}, {window->Command8, "Command8"},
      {window->txtNome_Copia, "txtNome_Copia"}};
  EXPECT_EQ(TabWalk(walk), StopNames(walk));
}

// The archiver's figures show in the main window's banner too: this window's is too narrow for them.
TEST_F(RestoreWindowTest, AClickedRunIsRestoredLineByLineOverTheOriginals) {
  Open(items);
  PickInList(*window, 1);
  EXPECT_EQ(window->txtNum_Copia->GetValue() + "|" + window->txtDes_Copia->GetValue() + "|" +
                window->txtPath_Copia->GetValue(), "2|Riga 2|" + Office(root, 2));
  EXPECT_EQ(state.Path_Copia, Office(root, 2));
  EXPECT_EQ(state.Archivio_Scelto, "1205_3_2.ZIP");
  window->OnRestore();
  EXPECT_FALSE(window->Command5->IsEnabled() || window->Command4->IsEnabled());
  window->OnEnd();  // blocked while the archiver works
  window->Close();  // the close box too, with a word why
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(dialogs.Messages(), (Strings{"Attendere la fine del ripristino in corso !!!"}));
  EXPECT_TRUE(WaitFor([&] { return window->Label6[0]->GetLabel().StartsWith("Ripristino 1 di 12: Riga 1"); }));
  ASSERT_TRUE(WaitFor([&] { return !WindowOpen(); }));

  Strings runs, calls{"disable", "caption ATTENDERE PREGO", "commands off"};
  for (int i = 1; i <= 12; ++i) {
    const std::string line = std::to_string(i);
    runs.push_back("-min|-e|-o|" + data.path() + "1205_3" + (i < 10 ? "_" : "") + line + ".ZIP|" + root + "|");
    calls.push_back("banner Ripristino " + line + " di 12: Riga " + line + " — 3 di 4 file, 300 di 400 byte");
  }
  EXPECT_EQ(archiver.Runs(), runs);
  EXPECT_EQ(dialogs.Messages().back(), "RIPRISTINO TERMINATO !!!");
  EXPECT_EQ(dialogs.Log().end()[-2], "beep");
  calls.insert(calls.end(), {"banner ", "give back", "caption Ripristina copia precedente", "commands on"});
  EXPECT_EQ(link.calls, calls);
  EXPECT_EQ(state.Archivio_Scelto, "1205_3_2.ZIP");  // kept for the next opening
}

TEST_F(RestoreWindowTest, IntoAChosenFolderAndWithAMissingArchiveNamed) {
  state.Cartella_Arrivo = "/tmp/prova guasta/";
  state.Num_Righe = 3;
  ::unlink((data.path() + "1205_3_3.ZIP").c_str());
  Open(items);
  PickInList(*window, 1);
  window->OnRestore();
  ASSERT_TRUE(WaitFor([&] { return !WindowOpen(); }));
  EXPECT_EQ(archiver.Runs(), (Strings{"-min|-e|-o|" + data.path() + "1205_3_1.ZIP|/tmp/prova guasta/|",
                                      "-min|-e|-o|" + data.path() + "1205_3_2.ZIP|/tmp/prova guasta/|"}));
  // The texts are the end message's own; here only that every line and each one's reason reach it.
  EXPECT_TRUE(dialogs.Messages().back().ends_with(": 3 su 3")) << dialogs.Messages().back();
  const std::string& details = dialogs.calls().back().details;
  EXPECT_NE(details.find("riga 2  Riga 2  (" + Office(root, 2) + "): alcuni file"), std::string::npos);
  EXPECT_NE(details.find("riga 3  Riga 3  (" + Office(root, 3) + "): l'archivio 1205_3_3.ZIP non esiste\r"),
            std::string::npos);
}

TEST_F(RestoreWindowTest, EditedFieldsGoToTheTablesOnlyWhereThereIsRoom) {
  state.Num_Righe = 0;  // nothing runs: the window just closes
  const auto before = state.Path_Riga;
  Open({restore::RestoreListItem(150, "1205_3_2.ZIP", "Riga 2", Office(root, 2))});
  PickInList(*window, 0);
  window->txtPath_Copia->ChangeValue("/altrove/");
  window->OnRestore();
  EXPECT_EQ(state.Path_Riga, before);
  ASSERT_TRUE(WaitFor([&] { return !WindowOpen(); }));
  EXPECT_TRUE(dialogs.Log().empty());
  EXPECT_EQ(link.calls, (Strings{"disable", "give back", "caption Ripristina copia precedente", "commands on"}));

  Open(items);
  PickInList(*window, 1);
  window->txtDes_Copia->ChangeValue("  Nuova  ");
  window->txtPath_Copia->ChangeValue(" /altrove/ ");
  window->OnRestore();
  EXPECT_EQ(state.Des_Riga[2], "Nuova");
  EXPECT_EQ(state.Path_Riga[2], "/altrove/");
  EXPECT_TRUE(archiver.Runs().empty());
}

}  // namespace
