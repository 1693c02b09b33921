#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/file_operations.h"
#include "platform/paths.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operation_dialogs.h"
#include "support/temp_folder.h"

namespace platform::file_operations {

// Copy, move and delete on a temporary folder, with the questions answered from a script.
struct FileOperationsTest : ::testing::Test {
  // A path below the folder, "/" written as the system's separator.
  std::string In(std::string name) const {
    std::replace(name.begin(), name.end(), '/', paths::kSeparator);
    return folder.path() + name;
  }

  testing_support::TempFolder folder;
  testing_support::ScriptedDialogs dialogs;
  testing_support::ScriptedOperationDialogs operation_dialogs;
};

}  // namespace platform::file_operations
