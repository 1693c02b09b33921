#include "picker/form4.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>

#include "picker/folder_choice.h"
#include "platform/geometry.h"
#include "platform/paths.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"
#include "support/temp_folder.h"

namespace {

using picker::Form4;

// path with "/" between names written with the system's separator.
std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', platform::paths::kSeparator);
  return path;
}

// Shows Form4 as the program does and runs act on it while it is open; act must close it.
void Choose(store::ProfileState& state, std::function<void(Form4&)> act) {
  testing_support::ActWhileWaiting action([&] {
    for (wxWindow* window : wxTopLevelWindows)
      if (auto* form = dynamic_cast<Form4*>(window); form && form->IsModal()) act(*form);
  });
  picker::ChooseDriveAndFolder(state);
  testing_support::PumpEvents();
}

TEST(DriveAndFolderPicker, OpensAtPathSceltoAndConfermaGivesTheFolderWithoutClosingSeparator) {
  testing_support::TempFolder folder;
  std::filesystem::create_directories(folder.path() + Native("Foto/2003"));
  store::ProfileState state;
  state.Path_Scelto = folder.path() + Native("Foto/");
  std::string opened;
  Choose(state, [&](Form4& form) {
    opened =
        form.GetTitle().utf8_string() + "|" + form.Dir1->SelectedPath() + "|" + form.ShownDrive();
    form.Dir1->SelectFolder(folder.path() + Native("Foto/2003"));
    form.OnConfirm();
  });
  std::vector<std::string> mount_points;
  for (const auto& drive : platform::drives::ListDrives())
    mount_points.push_back(drive.mount_point);
  EXPECT_EQ(opened, "Selezione cartella da salvare|" + folder.path() + "Foto|" +
                        mount_points[picker::DriveHolding(folder.path(), mount_points)]);
  EXPECT_EQ(state.Path_Scelto, folder.path() + Native("Foto/2003"));

  Choose(state, [](Form4& form) {
    form.Drive1->SetSelection(0);  // "/" (on Windows the first drive) always comes first
    form.OnDriveChange();
    form.OnConfirm();
  });
  EXPECT_EQ(state.Path_Scelto, mount_points.front());  // a root keeps its separator
}

TEST(DriveAndFolderPicker, AnnullaLeavesPathSceltoAloneAndNoFolderChosenOpensAtHome) {
  for (const char* chosen : {"   ", "Documenti"}) {
    store::ProfileState state;
    state.Path_Scelto = chosen;
    std::string opened;
    Choose(state, [&](Form4& form) {
      opened = form.Dir1->SelectedPath();
      form.Dir1->SelectFolder("/");
      form.OnCancel();
    });
    EXPECT_EQ(opened, wxGetHomeDir().utf8_string());
    EXPECT_EQ(state.Path_Scelto, chosen);
  }
}

// Laid out 315 twips high, GTK's drop-down cut the drive's name off ("/" showed as a comma);
// and Tab must visit the controls in the order they are laid out.
TEST(DriveAndFolderPicker, TheDriveListIsTallEnoughAndTabWalksTheLayoutOrder) {
  store::ProfileState state;
  state.Path_Scelto = "/";
  auto* form = new Form4(state);
  form->Show();
  testing_support::PumpEvents();
  const wxRect drive = form->Drive1->GetRect();
  EXPECT_GE(drive.height, form->Drive1->GetBestSize().y);
  EXPECT_EQ(drive.GetTopLeft(), platform::TwipsRect(105 + 780, 120 + 405, 8220, 315).GetTopLeft());
  EXPECT_EQ(drive.width, platform::Px(8220));
  EXPECT_FALSE(drive.Intersects(form->Dir1->GetRect()));

  ASSERT_TRUE(testing_support::FocusOn(*form->Drive1));
  const std::vector<testing_support::TabStop> walk{
      {form->Dir1, "Dir1"}, {form->Command1, "Command1"}, {form->Command2, "Command2"},
      {testing_support::DropDownStop(*form->Drive1), "Drive1"}, {form->Dir1, "Dir1"}};
  EXPECT_EQ(testing_support::TabWalk(walk), testing_support::StopNames(walk));
  testing_support::DestroyNow(form);
}

TEST(DriveAndFolderPicker, FindsTheDriveThatHoldsAFolder) {
  const std::vector<std::string> drives = {Native("/"), Native("/home"), Native("/media/usb")};
  EXPECT_EQ(picker::DriveHolding(Native("/home/anna/Documenti/"), drives), 1u);
  EXPECT_EQ(picker::DriveHolding(Native("/media/usb"), drives), 2u);
  // A mount point is a whole folder name, not the start of one.
  EXPECT_EQ(picker::DriveHolding(Native("/media/usb2/foto"), drives), 0u);
  EXPECT_EQ(picker::DriveHolding(Native("/homework"), drives), 0u);
}

}  // namespace
