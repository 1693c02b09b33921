// Names typed for a new profile that the rest of the program could not carry: the list splits
// its items at the first space, finds profiles by ".Dat", and tells archives apart by the
// profile code alone.
#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include "main_window/main_window.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace {

using testing_support::WaitFor;

class NewProfileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_window::MainWindowHooks hooks;
    hooks.openEditor = [this](main_window::MainWindowLink&) { ++editor_opened; };
    window = new main_window::MainWindow(state, std::move(hooks));
    state.Path_Dati = folder.path();
    folder.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Doc#/doc/\r\n");
    window->Show();
    window->Raise();
    ASSERT_TRUE(WaitFor([this] { return window->IsShownOnScreen(); }));
    window->RebuildList();
    testing_support::PumpEvents();
  }
  void TearDown() override { testing_support::DestroyNow(window); }

  void Click(wxWindow* control) {
    wxUIActionSimulator input;
    input.MouseMove(control->GetScreenRect().GetPosition() + control->GetSize() / 2);
    testing_support::PumpEvents();
    input.MouseClick();
    testing_support::PumpEvents();
  }

  // What the user does: "Nuova copia personalizzata", a name typed over the proposed one,
  // "Conferma"; returns once the window has answered.
  void ConfirmNewProfileNamed(const std::string& name) {
    dialogs.Clear();
    Click(window->Command3);
    Click(window->txtNome_Copia);
    window->txtNome_Copia->SelectAll();
    wxUIActionSimulator().Text(name.c_str());
    ASSERT_TRUE(WaitFor([&] { return window->txtNome_Copia->GetValue().utf8_string() == name; }))
        << "typed " << window->txtNome_Copia->GetValue().utf8_string();
    const int opened = editor_opened;
    Click(window->Command2);
    ASSERT_TRUE(WaitFor([&] { return !dialogs.calls().empty() || editor_opened > opened; }));
  }

  // The beep and the one message of a refusal, or "" when nothing was refused.
  std::string Refusal() const {
    const auto log = dialogs.Log();
    if (log.size() != 2 || log[0] != "beep") return "";
    return log[1];
  }

  testing_support::TempFolder folder;
  store::ProfileState state;
  testing_support::ScriptedDialogs dialogs;
  main_window::MainWindow* window = nullptr;
  int editor_opened = 0;
};

TEST_F(NewProfileNamesTest, NamesTheListOrTheArchivesCouldNotCarryAreRefusedAndSayWhy) {
  // The list would split "Copia 02.Dat" into "Copia", and the next "Conferma" made that file.
  ConfirmNewProfileNamed("Copia 02.Dat");
  EXPECT_NE(Refusal().find("Copia 02.Dat contiene uno spazio"), std::string::npos) << Refusal();
  // Listed only as "*.DAT": this profile would never be seen again.
  ConfirmNewProfileNamed("Lavoro");
  EXPECT_NE(Refusal().find("Lavoro non finisce con .Dat"), std::string::npos) << Refusal();
  // Code _1, as Copia_01.Dat: the two profiles' archives would be one and the same.
  ConfirmNewProfileNamed("Lavoro_01.Dat");
  EXPECT_NE(Refusal().find("stesso codice di copia (_1) di Copia_01.Dat"), std::string::npos)
      << Refusal();
  EXPECT_EQ(editor_opened, 0);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat");

  // A name the program can carry, with the ending in any case, is created as before.
  ConfirmNewProfileNamed("Lavoro_02.DAT");
  EXPECT_EQ(Refusal(), "");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(folder.Listing(), "Copia_01.Dat Lavoro_02.DAT");
}

}  // namespace
