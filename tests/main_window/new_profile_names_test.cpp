// New profile names the list (split at a space, "*.DAT") or the archives (by code) could not carry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/gui_helpers.h"
#include "support/main_window_fixture.h"
#include "support/wait_for.h"

namespace {

using testing::HasSubstr;
using namespace testing_support;

class NewProfileNamesTest : public testing_support::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    data.Write("Copia_01.Dat", "Copia_01.Dat#Casa\r\n 1#Doc#/doc/\r\n");
    window->Raise();
    ASSERT_TRUE(WaitFor([this] { return window->IsShownOnScreen(); }));
    window->RebuildList();
  }

  // What the user does: "Nuova copia personalizzata", a name typed over the proposed one,
  // "Conferma". Returns the beep and message of a refusal, "" when nothing was refused.
  std::string ConfirmNewProfileNamed(const std::string& name) {
    dialogs.Clear();
    window->Command2->Disable();
    EXPECT_TRUE(ClickOn(*window->Command3, wxMOUSE_BTN_LEFT, [&] { return window->Command2->IsEnabled(); }));
    EXPECT_TRUE(ClickInto(*window->txtNome_Copia));
    window->txtNome_Copia->SelectAll();
    EXPECT_TRUE(TypeText(name, [&] { return window->txtNome_Copia->GetValue().utf8_string() == name; }))
        << "typed " << window->txtNome_Copia->GetValue().utf8_string();
    const int opened = editor_opened;
    EXPECT_TRUE(ClickOn(*window->Command2, wxMOUSE_BTN_LEFT,
                        [&] { return !dialogs.calls().empty() || editor_opened > opened; }));
    const auto log = dialogs.Log();
    return log.size() == 2 && log[0] == "beep" ? log[1] : "";
  }
};

TEST_F(NewProfileNamesTest, NamesTheListOrTheArchivesCouldNotCarryAreRefusedAndSayWhy) {
  // The list would split "Copia 02.Dat" into "Copia", and the next "Conferma" made that file.
  EXPECT_THAT(ConfirmNewProfileNamed("Copia 02.Dat"), HasSubstr("Copia 02.Dat contiene uno spazio"));
  // Listed only as "*.DAT": this profile would never be seen again.
  EXPECT_THAT(ConfirmNewProfileNamed("Lavoro"), HasSubstr("Lavoro non finisce con .Dat"));
  // Code _1, as Copia_01.Dat: the two profiles' archives would be one and the same.
  EXPECT_THAT(ConfirmNewProfileNamed("Lavoro_01.Dat"),
              HasSubstr("stesso codice di copia (_1) di Copia_01.Dat"));
  EXPECT_EQ(editor_opened, 0);
  EXPECT_EQ(data.Listing(), "Copia_01.Dat");

  // A name the program can carry, with the ending in any case, is created as before.
  EXPECT_EQ(ConfirmNewProfileNamed("Lavoro_02.DAT"), "");
  EXPECT_EQ(editor_opened, 1);
  EXPECT_EQ(data.Listing(), "Copia_01.Dat Lavoro_02.DAT");
}

}  // namespace
