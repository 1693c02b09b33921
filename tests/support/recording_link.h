#pragma once

#include <string>
#include <vector>

#include "main_window/main_window_link.h"

namespace testing_support {

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

}  // namespace testing_support
