#include "runner/folder_checks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "explorer/file_system_user.h"
#include "support/temp_folder.h"

namespace {

// Checked as the user nobody, which only root can do.
TEST(FolderChecks, AFolderBehindALockedOneIsNotCalledMissing) {
  if (::geteuid() != 0) GTEST_SKIP() << "not root: cannot check permissions as the user nobody";
  testing_support::TempFolder here;
  here.Write("chiusa/dentro/a.txt", "x");
  ASSERT_EQ(::chmod(here.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod((here.path() + "chiusa").c_str(), 0700), 0);
  testing_support::FileSystemUser nobody(testing_support::kNobody);
  struct stat reached {};
  if (!nobody.active() || ::stat(here.path().c_str(), &reached) != 0)
    GTEST_SKIP() << "the user nobody cannot reach " << here.path();
  EXPECT_EQ(runner::CheckFolderToSave(here.path() + "chiusa/dentro/").problem,
            "impossibile raggiungere la cartella " + here.path() + "chiusa/dentro/: Permesso negato");
}

}  // namespace
