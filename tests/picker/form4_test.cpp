#include "picker/form4.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <cctype>
#include <optional>

#include "platform/paths.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"
#include "support/temp_folder.h"

namespace {

using picker::Form4;

// Shows Form4 as the program does and runs act, which must close it, while it is open.
void Choose(store::ProfileState& state, std::function<void(Form4&)> act) {
  testing_support::ActWhileWaiting action([&] {
    for (wxWindow* window : wxTopLevelWindows)
      if (auto* form = dynamic_cast<Form4*>(window); form && form->IsModal()) act(*form);
  });
  picker::ChooseDriveAndFolder(state);
  testing_support::PumpEvents();
}

TEST(DriveAndFolderPicker, OpensAtPathSceltoConfermaGivesTheFolderWithoutClosingSeparatorAnnullaKeepsIt) {
  testing_support::TempFolder folder;
  folder.Write("Foto/2003/a.jpg", "a");
  const std::string photos = folder.path() + "Foto", year = photos + platform::paths::kSeparator + "2003";
  store::ProfileState state;
  state.Path_Scelto = photos + platform::paths::kSeparator;
  std::string opened;
  Choose(state, [&](Form4& form) {
    opened = form.Dir1->SelectedPath() + "|" + form.ShownDrive();
    form.Dir1->SelectFolder(year);
    form.OnConfirm();
  });
  // The temporary folder lies on the system's drive.
  EXPECT_EQ(opened, photos + "|" + platform::drives::SystemDrive());
  EXPECT_EQ(state.Path_Scelto, year);

  Choose(state, [](Form4& form) {
    form.Drive1->SetSelection(0);  // "/" (on Windows the first drive) always comes first
    form.OnDriveChange();
    form.OnConfirm();
  });
  EXPECT_EQ(state.Path_Scelto, platform::drives::ListDrives().front().mount_point);  // separator kept

  for (const char* chosen : {"   ", "Documenti"}) {  // no folder chosen: it opens at home
    state.Path_Scelto = chosen;
    Choose(state, [&](Form4& form) {
      opened = form.Dir1->SelectedPath();
      form.Dir1->SelectFolder("/");
      form.OnCancel();
    });
    EXPECT_EQ(opened, wxGetHomeDir().utf8_string());
    EXPECT_EQ(state.Path_Scelto, chosen);
  }
}

// Laid out 315 twips high, GTK's drop-down cut the drive's name off ("/" showed as a comma).
TEST(DriveAndFolderPicker, TheDriveListIsTallEnoughAndTabWalksTheLayoutOrder) {
  store::ProfileState state;
  state.Path_Scelto = "/";
  auto* form = new Form4(state);
  form->Show();
  testing_support::PumpEvents();
  const wxRect drive = form->Drive1->GetRect();
  EXPECT_GE(drive.height, form->Drive1->GetBestSize().y);
  EXPECT_TRUE(wxRect(form->GetClientSize()).Contains(drive));  // nothing of it is cut off
  EXPECT_FALSE(drive.Intersects(form->Dir1->GetRect()));

  ASSERT_TRUE(testing_support::FocusOn(*form->Drive1));
  const std::vector<testing_support::TabStop> walk{
      {form->Dir1, "Dir1"}, {form->Command1, "Command1"}, {form->Command2, "Command2"},
      {testing_support::DropDownStop(*form->Drive1), "Drive1"}, {form->Dir1, "Dir1"}};
  EXPECT_EQ(testing_support::TabWalk(walk), testing_support::StopNames(walk));
  testing_support::DestroyNow(form);
}

// The longest mount point above a folder holds it, by whole names as the file system compares them.
TEST(DriveAndFolderPicker, FindsTheDriveThatHoldsAFolderAndTheSystemDrive) {
  using platform::drives::Drive;
  struct Row {
    const char* path;
    std::optional<std::size_t> drive;
  };
#ifdef _WIN32
  const std::vector<Drive> drives = {{"A:\\", ""}, {"C:\\", ""}, {"C:\\Montato", ""}, {"\\\\server\\dati\\", ""}};
  const Row rows[] = {{"C:\\Users\\anna\\", 1}, {"c:\\users", 1}, {"c:\\MONTATO\\foto", 2},
                      {"C:\\Montatore", 1}, {"\\\\SERVER\\Dati\\x", 3}, {"D:\\", std::nullopt}};
  std::string system = platform::drives::SystemDrive();
  system[0] = static_cast<char>(std::tolower(system[0]));
#else
  const std::vector<Drive> drives = {{"/media/usb", ""}, {"/", ""}, {"/home", ""}};
  const Row rows[] = {{"/home/anna/Documenti/", 2}, {"/media/usb", 0}, {"/media/usb2/foto", 1},
                      {"/homework", 1}, {"/Home/anna", 1}};
  const std::string system = platform::drives::SystemDrive();
#endif
  for (const Row& row : rows)
    EXPECT_EQ(platform::drives::DriveHolding(row.path, drives), row.drive) << row.path;
  EXPECT_EQ(platform::drives::DriveHolding("x", {}), std::nullopt);
  EXPECT_EQ(platform::drives::SystemDriveIndex({{"A:\\", ""}, {"/media/usb", ""}, {system, ""}}), 2u);
}

}  // namespace
