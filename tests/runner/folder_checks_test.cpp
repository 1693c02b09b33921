#include "runner/folder_checks.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

using platform::paths::kSeparator;
using runner::CheckFolderToSave;

std::string Problem(const std::string& folder) { return CheckFolderToSave(folder).problem; }

// Each used to reach the archiver, which answered with its usage text or packed nothing.
TEST(FolderChecks, FoldersThatCannotBeSavedAreNamedWithOneReason) {
  testing_support::TempFolder here;
  here.Write("lettera.txt", "x");
  // Never read from where the program runs: relative, or a whole path only on the other system.
#ifdef _WIN32
  const char* elsewhere[] = {"Documenti/", "/home/anna/", "C:DOC\\", "\\DOC\\"};
#else
  const char* elsewhere[] = {"Documenti/", "C:\\DOC\\", "\\\\server\\dati\\"};
#endif
  for (const char* folder : elsewhere) {
    EXPECT_EQ(Problem(folder), std::string("la cartella non esiste: ") + folder);
    EXPECT_EQ(CheckFolderToSave(folder).folder, "") << folder;
  }
  EXPECT_EQ(Problem(here.path() + "manca/"), "la cartella non esiste: " + here.path() + "manca/");
  const std::string below_a_file = here.path() + "lettera.txt" + kSeparator + "sotto" + kSeparator;
  EXPECT_EQ(Problem(below_a_file), "la cartella non esiste: " + below_a_file);
  EXPECT_EQ(Problem(here.path() + "lettera.txt"), "non è una cartella: " + here.path() + "lettera.txt");
  EXPECT_EQ(Problem("   "), "la cartella da salvare non è indicata");
  EXPECT_EQ(Problem(here.path() + "\"citazioni\"/"),
            "il percorso contiene le virgolette (\") e non può essere passato al programma di "
            "archiviazione: " + here.path() + "\"citazioni\"/");
}

TEST(FolderChecks, AFolderWithoutItsClosingSlashGetsOneAndAGoodOneStaysAsItIs) {
  testing_support::TempFolder here;
  here.Write("Foto di città/a.jpg", "x");
  const std::string folder = here.path() + "Foto di città";
  EXPECT_EQ(CheckFolderToSave(folder).folder, folder + kSeparator);
  EXPECT_EQ(CheckFolderToSave(folder + kSeparator).folder, folder + kSeparator);
  EXPECT_EQ(CheckFolderToSave(folder).problem, "");
  const std::string root = platform::paths::DriveRoot(folder);
  EXPECT_EQ(CheckFolderToSave(root).folder, root);
}

}  // namespace
