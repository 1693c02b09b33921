#include "platform/files.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/user_error.h"
#include "support/temp_folder.h"

namespace {

using platform::files::MatchesWildcard;
using testing_support::TempFolder;

TEST(Wildcards, QuestionMarkIsExactlyOneCharacter) {
  EXPECT_TRUE(MatchesWildcard("1406_1_1.ZIP", "????_1??.ZIP", false));
  EXPECT_FALSE(MatchesWildcard("14061001.ZIP", "????_1??.ZIP", false));
  EXPECT_FALSE(MatchesWildcard("1406_1_1X.ZIP", "????_1??.ZIP", false));
  EXPECT_TRUE(MatchesWildcard("Copia_01.Dat", "*.DAT", true));
  EXPECT_FALSE(MatchesWildcard("Copia_01.Dat", "*.DAT", false));
  EXPECT_FALSE(MatchesWildcard("Copia_01.Dat.bak", "*.DAT", true));
  EXPECT_TRUE(MatchesWildcard("a.b.DAT", "*.DAT", true));
}

TEST(Files, FindFilesListsOnlyRegularFilesThatMatch) {
  TempFolder folder;
  folder.Write("a.DAT", "x");
  folder.Write("b.txt", "x");
  folder.Write("dir.DAT/inside", "x");
  EXPECT_EQ(platform::files::FindFiles(folder.path(), "*.dat", true),
            std::vector<std::string>{"a.DAT"});
}

TEST(Files, ReadLinesHonoursEveryLineEndAndItsBounds) {
  TempFolder folder;
  folder.Write("f", "uno\r\ndue\ntre\rquattro\r\n\r\nsei");
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::files::ReadLines(folder.path() + "f", 10, 100, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"uno", "due", "tre", "quattro", "", "sei"}));
  ASSERT_TRUE(platform::files::ReadLines(folder.path() + "f", 2, 2, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"un", "du"}));
  EXPECT_FALSE(platform::files::ReadLines(folder.path() + "manca", 10, 100, lines));
  EXPECT_FALSE(platform::files::ReadLines(folder.path(), 10, 100, lines));
}

TEST(Files, AtomicWriteReplacesWholeAndFailsWithoutLeftovers) {
  TempFolder folder;
  folder.Write("p.Dat", "vecchio");
  platform::files::WriteAtomically(folder.path() + "p.Dat", "nuovo");
  EXPECT_EQ(folder.Read("p.Dat"), "nuovo");
  EXPECT_EQ(folder.Listing(), "p.Dat");
  // A folder where the file should be: the rename fails, the folder stays as it was.
  folder.Write("d.Dat/x", "dentro");
  EXPECT_THROW(platform::files::WriteAtomically(folder.path() + "d.Dat", "nuovo"), platform::UserError);
  EXPECT_EQ(folder.Read("d.Dat/x"), "dentro");
  EXPECT_EQ(folder.Listing(), "d.Dat p.Dat");
}

TEST(Paths, JoinFolderOfAndPlainNames) {
  using namespace platform::paths;
  EXPECT_EQ(Join("/a/", "b"), "/a/b");
  EXPECT_EQ(Join("/a", "b"), "/a/b");
  EXPECT_EQ(FolderOf("/a/b/c"), "/a/b");
  EXPECT_EQ(FolderOf("/c"), "/");
  EXPECT_EQ(DriveRoot("/home/anna/Documenti/"), "/");
  EXPECT_EQ(ProgramFolder().back(), '/');
}

}  // namespace
