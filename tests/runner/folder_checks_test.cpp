#include "runner/folder_checks.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "explorer/file_system_user.h"
#include "support/temp_folder.h"

namespace {

using runner::CheckFolderToSave;

std::string Problem(const std::string& folder) { return CheckFolderToSave(folder).problem; }

// Each of these used to reach the archiver, which answered with its usage text or packed
// nothing; every one must now stop before it with one reason that names the folder.
TEST(FolderChecks, FoldersThatCannotBeSavedAreNamedWithOneReason) {
  testing_support::TempFolder here;
  here.Write("lettera.txt", "x");
  EXPECT_EQ(Problem("C:\\DOC\\"), "la cartella non esiste: C:\\DOC\\");
  EXPECT_EQ(Problem("\\\\server\\dati\\"), "la cartella non esiste: \\\\server\\dati\\");
  EXPECT_EQ(Problem("Documenti/"), "la cartella non esiste: Documenti/");  // never from where we run
  EXPECT_EQ(Problem(here.path() + "manca/"), "la cartella non esiste: " + here.path() + "manca/");
  EXPECT_EQ(Problem(here.path() + "lettera.txt/sotto/"),
            "la cartella non esiste: " + here.path() + "lettera.txt/sotto/");
  EXPECT_EQ(Problem(here.path() + "lettera.txt"), "non è una cartella: " + here.path() + "lettera.txt");
  EXPECT_EQ(Problem("   "), "la cartella da salvare non è indicata");
  EXPECT_EQ(Problem(here.path() + "\"citazioni\"/"),
            "il percorso contiene le virgolette (\") e non può essere passato al programma di "
            "archiviazione: " + here.path() + "\"citazioni\"/");
  EXPECT_TRUE(CheckFolderToSave("C:\\DOC\\").folder.empty());
}

TEST(FolderChecks, AFolderWithoutItsClosingSlashGetsOneAndAGoodOneStaysAsItIs) {
  testing_support::TempFolder here;
  here.Write("Foto di città/a.jpg", "x");
  const std::string folder = here.path() + "Foto di città";
  EXPECT_EQ(CheckFolderToSave(folder).folder, folder + "/");
  EXPECT_EQ(CheckFolderToSave(folder + "/").folder, folder + "/");
  EXPECT_EQ(CheckFolderToSave(folder).problem, "");
  EXPECT_EQ(CheckFolderToSave("/").folder, "/");
}

TEST(FolderChecks, AFolderBehindALockedOneIsNotCalledMissing) {
  testing_support::TempFolder here;
  here.Write("chiusa/dentro/a.txt", "x");
  ASSERT_EQ(::chmod(here.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod((here.path() + "chiusa").c_str(), 0700), 0);
  testing_support::FileSystemUser nobody(testing_support::kNobody);
  ASSERT_TRUE(nobody.active());
  EXPECT_EQ(Problem(here.path() + "chiusa/dentro/"),
            "impossibile raggiungere la cartella " + here.path() + "chiusa/dentro/: Permesso negato");
}

}  // namespace
