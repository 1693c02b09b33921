#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "main_window/main_window.h"
#include "main_window/main_window_link.h"
#include "platform/local_time.h"
#include "support/gui_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace testing_support {

// Today's day and month as a backup run names its archives: "0503" on 5 March.
inline std::string TodayDDMM() {
  const std::tm local = platform::ToLocalTime(std::time(nullptr));
  char ddmm[8];
  return std::string(ddmm, std::strftime(ddmm, sizeof ddmm, "%d%m", &local));
}

// The main window as a child window sees it: every call written down in order.
struct RecordingLink : main_window::MainWindowLink {
  void DisableForChild() override { calls.push_back("disable"); }
  void GiveBack() override { calls.push_back("give back"); }
  void SetProfileCommandsEnabled(bool on) override { calls.push_back(on ? "commands on" : "commands off"); }
  void SetRestoreCaption(const std::string& caption) override { calls.push_back("caption " + caption); }
  void SetDescriptionText(const std::string& text) override { calls.push_back("description " + text); }
  void SetBanner(const std::string& text) override { calls.push_back("banner " + text); }
  std::vector<std::string> calls;
};

// A main window on a temporary data folder, its dialogs scripted, its editor and end counted.
// Every message must belong to it: parented elsewhere, it would bury the window.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    main_window::MainWindowHooks hooks;
    hooks.openEditor = [this](main_window::MainWindowLink&) { ++editor_opened; };
    hooks.endProgram = [this] { ++program_ended; };
    window = new main_window::MainWindow(state, std::move(hooks));
    state.Path_Dati = data.path();
    window->Show();
  }
  void TearDown() override {
    for (const auto& call : dialogs.calls()) EXPECT_EQ(call.parent, window) << call.text;
    DestroyNow(window);
  }

  // The profile as if picked in the list.
  void Choose(const std::string& name) {
    window->txtNome_Copia->ChangeValue(name);
    window->SetProfileCommandsEnabled(true);
  }
  // Whether the five commands that need a profile are all in this state.
  bool ProfileCommandsAre(bool enabled) const {
    for (wxButton* b : {window->Command1, window->Command2, window->Command5, window->Command6, window->Command7})
      if (b->IsEnabled() != enabled) return false;
    return true;
  }

  TempFolder data;
  store::ProfileState state;
  ScriptedDialogs dialogs;
  main_window::MainWindow* window = nullptr;
  int editor_opened = 0;
  int program_ended = 0;
};

}  // namespace testing_support
