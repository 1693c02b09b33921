#include "runner/folder_checks.h"

#include <gtest/gtest.h>

namespace {

using runner::CheckFolderToSave;

// A Linux folder, or one without its drive, would be read from wherever the program runs.
TEST(WindowsFolderChecks, OnlyDriveAndSharePathsAreWholePaths) {
  for (const char* folder : {"/home/anna/", "C:DOC\\", "\\DOC\\"}) {
    EXPECT_EQ(CheckFolderToSave(folder).problem, std::string("la cartella non esiste: ") + folder);
    EXPECT_TRUE(CheckFolderToSave(folder).folder.empty()) << folder;
  }
  const char* windows_folder = "C:\\windows";
  EXPECT_EQ(CheckFolderToSave(windows_folder).folder, "C:\\windows\\");
}

}  // namespace
