#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "picker/system_tree_view.h"
#include "support/act_while_waiting.h"
#include "support/gui_helpers.h"

namespace picker {

// Shows the picker as the program does and runs act, which must close it, once it is open;
// Record keeps "Path_Scelto | caption".
struct Browsing {
  store::ProfileState state;
  std::vector<std::string> seen;

  void Run(const std::string& start, std::function<void(System_TreeView_Rete&)> act,
           const char* tree_class = shell_tree::kTreeClass) {
    testing_support::ActWhileWaiting action([&] { act(*System_TreeView_Rete::Open()); },
                                            [] { return System_TreeView_Rete::Open() != nullptr; });
    BrowseForFolder(state, start, tree_class);
    testing_support::PumpEvents();
    EXPECT_EQ(System_TreeView_Rete::Open(), nullptr);
  }
  void Record(const System_TreeView_Rete& window) {
    seen.push_back(state.Path_Scelto + " | " + window.GetTitle().utf8_string());
  }
};

}  // namespace picker
