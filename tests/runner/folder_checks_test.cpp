#include "runner/folder_checks.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>

#include "explorer/file_system_user.h"
#endif

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

using platform::paths::kSeparator;
using runner::CheckFolderToSave;

std::string Problem(const std::string& folder) { return CheckFolderToSave(folder).problem; }

// Each used to reach the archiver, which answered with its usage text or packed nothing.
TEST(FolderChecks, FoldersThatCannotBeSavedAreNamedWithOneReasonTheOthersEndInASeparator) {
  testing_support::TempFolder here;
  here.Write("lettera.txt", "x");
  // Never read from where the program runs: relative, or a whole path only on the other system.
#ifdef _WIN32
  std::vector<std::string> missing = {"Documenti/", "/home/anna/", "C:DOC\\", "\\DOC\\"};
#else
  std::vector<std::string> missing = {"Documenti/", "C:\\DOC\\", "\\\\server\\dati\\"};
#endif
  missing.insert(missing.end(), {here.path() + "manca/", here.path() + "lettera.txt" + kSeparator + "sotto" + kSeparator});
  for (const std::string& folder : missing) {
    EXPECT_EQ(Problem(folder), "la cartella non esiste: " + folder);
    EXPECT_EQ(CheckFolderToSave(folder).folder, "") << folder;
  }
  EXPECT_EQ(Problem(here.path() + "lettera.txt"), "non è una cartella: " + here.path() + "lettera.txt");
  EXPECT_EQ(Problem("   "), "la cartella da salvare non è indicata");
  EXPECT_EQ(Problem(here.path() + "\"citazioni\"/"),
            "il percorso contiene le virgolette (\") e non può essere passato al programma di "
            "archiviazione: " + here.path() + "\"citazioni\"/");

  here.Write("Foto di città/a.jpg", "x");  // a folder without its closing separator gets one
  const std::string folder = here.path() + "Foto di città";
  EXPECT_EQ(CheckFolderToSave(folder).folder, folder + kSeparator);
  EXPECT_EQ(CheckFolderToSave(folder + kSeparator).folder, folder + kSeparator);
  EXPECT_EQ(CheckFolderToSave(folder).problem, "");
  const std::string root = platform::paths::DriveRoot(folder);
  EXPECT_EQ(CheckFolderToSave(root).folder, root);
}

#ifndef _WIN32
// Checked as the user nobody, which only root can do.
TEST(FolderChecks, AFolderBehindALockedOneIsNotCalledMissing) {
  testing_support::TempFolder here;
  here.Write("chiusa/dentro/a.txt", "x");
  ASSERT_EQ(::chmod(here.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod((here.path() + "chiusa").c_str(), 0700), 0);
  testing_support::FileSystemUser nobody(testing_support::kNobody);
  struct stat reached {};
  if (!nobody.active || ::stat(here.path().c_str(), &reached) != 0)
    GTEST_SKIP() << "the user nobody cannot reach " << here.path();
  EXPECT_EQ(Problem(here.path() + "chiusa/dentro/"),
            "impossibile raggiungere la cartella " + here.path() + "chiusa/dentro/: Permesso negato");
}
#endif

}  // namespace
