#include "runner/folder_checks.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "explorer/file_system_user.h"
#include "support/temp_folder.h"

namespace {

using runner::CheckFolderToSave;

std::string Problem(const std::string& folder) { return CheckFolderToSave(folder).problem; }

// A folder of a profile carried over from Windows is no path here.
TEST(FolderChecks, WindowsPathsAreNotWholePathsHere) {
  EXPECT_EQ(Problem("C:\\DOC\\"), "la cartella non esiste: C:\\DOC\\");
  EXPECT_EQ(Problem("\\\\server\\dati\\"), "la cartella non esiste: \\\\server\\dati\\");
  EXPECT_TRUE(CheckFolderToSave("C:\\DOC\\").folder.empty());
}

TEST(FolderChecks, AFolderBehindALockedOneIsNotCalledMissing) {
  testing_support::TempFolder here;
  here.Write("chiusa/dentro/a.txt", "x");
  ASSERT_EQ(::chmod(here.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod((here.path() + "chiusa").c_str(), 0700), 0);
  testing_support::FileSystemUser nobody(testing_support::kNobody);
  if (!nobody.active()) GTEST_SKIP() << "cannot check permissions as another user here";
  EXPECT_EQ(Problem(here.path() + "chiusa/dentro/"),
            "impossibile raggiungere la cartella " + here.path() + "chiusa/dentro/: Permesso negato");
}

}  // namespace
