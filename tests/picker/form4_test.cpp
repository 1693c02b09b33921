#include "picker/form4.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <filesystem>

#include "picker/folder_choice.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace {

using picker::Form4;
using testing_support::ActWhileWaiting;
using testing_support::TempFolder;

Form4* OpenForm4() {
  for (wxWindow* window : wxTopLevelWindows)
    if (auto* form = dynamic_cast<Form4*>(window); form && form->IsModal()) return form;
  return nullptr;
}

// Shows Form4 as the program does and runs act on it while it is open; act must close it.
void Choose(store::ProfileState& state, std::function<void(Form4&)> act) {
  ActWhileWaiting action([&] {
    Form4* form = OpenForm4();
    ASSERT_NE(form, nullptr);
    act(*form);
  });
  picker::ChooseDriveAndFolder(state);
  testing_support::PumpEvents();
}

TEST(DriveAndFolderPicker, OpensAtPathSceltoAndConfermaGivesTheFolderWithoutClosingSeparator) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path() + "Foto/2003");
  store::ProfileState state;
  state.Path_Scelto = folder.path() + "Foto/";
  std::string caption, shown, drive;
  Choose(state, [&](Form4& form) {
    caption = form.GetTitle().utf8_string();
    shown = form.Dir1->SelectedPath();
    drive = form.ShownDrive();
    form.Dir1->SelectFolder(folder.path() + "Foto/2003");
    form.OnConfirm();
  });
  EXPECT_EQ(caption, "Selezione cartella da salvare");
  EXPECT_EQ(shown, folder.path() + "Foto");
  std::vector<std::string> mount_points;
  for (const auto& d : platform::drives::ListDrives()) mount_points.push_back(d.mount_point);
  EXPECT_EQ(drive, mount_points[picker::DriveHolding(folder.path(), mount_points)]);
  EXPECT_EQ(state.Path_Scelto, folder.path() + "Foto/2003");
}

TEST(DriveAndFolderPicker, TheRootKeepsItsSeparator) {
  store::ProfileState state;
  state.Path_Scelto = "/";
  Choose(state, [](Form4& form) { form.OnConfirm(); });
  EXPECT_EQ(state.Path_Scelto, "/");
}

TEST(DriveAndFolderPicker, AnnullaLeavesPathSceltoAlone) {
  TempFolder folder;
  store::ProfileState state;
  state.Path_Scelto = folder.path();
  Choose(state, [&](Form4& form) {
    form.Dir1->SelectFolder("/");
    form.OnCancel();
  });
  EXPECT_EQ(state.Path_Scelto, folder.path());
}

TEST(DriveAndFolderPicker, WithNothingChosenYetItOpensAtTheHomeFolder) {
  store::ProfileState state;
  state.Path_Scelto = "   ";
  std::string shown;
  Choose(state, [&](Form4& form) {
    shown = form.Dir1->SelectedPath();
    form.OnCancel();
  });
  EXPECT_EQ(shown, wxGetHomeDir().utf8_string());
  EXPECT_EQ(state.Path_Scelto, "   ");
}

TEST(DriveAndFolderPicker, ChangingTheDriveShowsItsTopFolder) {
  TempFolder folder;
  store::ProfileState state;
  state.Path_Scelto = folder.path();
  testing_support::ScriptedDialogs dialogs;
  std::string shown;
  Choose(state, [&](Form4& form) {
    form.Drive1->SetSelection(0);  // "/" always comes first
    form.OnDriveChange();
    shown = form.Dir1->SelectedPath();
    form.OnConfirm();
  });
  EXPECT_EQ(shown, "/");
  EXPECT_EQ(state.Path_Scelto, "/");
  EXPECT_TRUE(dialogs.Log().empty());
}

TEST(DriveAndFolderPicker, FindsTheDriveThatHoldsAFolder) {
  const std::vector<std::string> drives = {"/", "/home", "/media/usb"};
  EXPECT_EQ(picker::DriveHolding("/home/anna/Documenti/", drives), 1u);
  EXPECT_EQ(picker::DriveHolding("/media/usb", drives), 2u);
  // A mount point is a whole folder name, not the start of one.
  EXPECT_EQ(picker::DriveHolding("/media/usb2/foto", drives), 0u);
  EXPECT_EQ(picker::DriveHolding("/homework", drives), 0u);
  EXPECT_EQ(picker::DriveHolding("", drives), 0u);
}

}  // namespace
