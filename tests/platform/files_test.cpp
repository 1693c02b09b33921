#include "platform/files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/paths.h"
#include "platform/user_error.h"
#include "support/temp_folder.h"

namespace {

using platform::files::MatchesWildcard;
using testing::HasSubstr;
using testing::ThrowsMessage;
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

// A line past the bound must stop the reading rather than come back cut: a cut folder line
// reads as another folder.
TEST(Files, ReadLinesHonoursEveryLineEndAndStopsAtAnOverLongLine) {
  TempFolder folder;
  folder.Write("f", "uno\r\ndue\ntre\rquattro\r\n\r\nsei");
  using platform::files::ReadLines;
  auto read = ReadLines(folder.path() + "f", 10, 100);
  EXPECT_EQ(read.lines, (std::vector<std::string>{"uno", "due", "tre", "quattro", "", "sei"}));
  EXPECT_EQ(read.error, 0);
  EXPECT_FALSE(read.line_too_long);
  EXPECT_EQ(ReadLines(folder.path() + "f", 2, 100).lines, (std::vector<std::string>{"uno", "due"}));
  read = ReadLines(folder.path() + "f", 10, 3);
  EXPECT_EQ(read.lines, (std::vector<std::string>{"uno", "due", "tre"}));
  EXPECT_TRUE(read.line_too_long);

  EXPECT_EQ(ReadLines(folder.path() + "manca", 10, 100).error, ENOENT);
  EXPECT_EQ(ReadLines(folder.path(), 10, 100).error, EISDIR);
  // A pipe nobody writes to would block the window for good.
  ASSERT_EQ(::mkfifo((folder.path() + "tubo").c_str(), 0644), 0);
  EXPECT_EQ(ReadLines(folder.path() + "tubo", 10, 100).error, EINVAL);
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// The rename swaps in a file of the saving process's making: without care it came out 0644
// and the saving user's, whatever the file had been and whatever the umask said.
TEST(Files, AtomicWriteKeepsTheReplacedFilesModeAndOwnerAndNewFilesFollowTheUmask) {
  TempFolder folder;
  const std::string shared = folder.path() + "condiviso.Dat";
  folder.Write("condiviso.Dat", "vecchio");
  ASSERT_EQ(::chmod(shared.c_str(), 0660), 0);
  const bool root = ::geteuid() == 0;
  if (root) { ASSERT_EQ(::chown(shared.c_str(), 1234, 5678), 0); }
  platform::files::WriteAtomically(shared, "nuovo");
  EXPECT_EQ(folder.Read("condiviso.Dat"), "nuovo");
  EXPECT_EQ(ModeOf(shared), 0660u);
  struct stat st {};
  ASSERT_EQ(::stat(shared.c_str(), &st), 0);
  if (root) { EXPECT_EQ(std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid), "1234:5678"); }

  const mode_t saved = ::umask(027);
  platform::files::WriteAtomically(folder.path() + "privato.Dat", "x");
  ::umask(002);
  platform::files::WriteAtomically(folder.path() + "gruppo.Dat", "x");
  ::umask(saved);
  EXPECT_EQ(ModeOf(folder.path() + "privato.Dat"), 0640u);
  EXPECT_EQ(ModeOf(folder.path() + "gruppo.Dat"), 0664u);
}

// The rename needs only the folder's permission, so a read-only file used to be replaced
// by a writable one. A folder in the file's place must stay untouched as well.
TEST(Files, AtomicWriteLeavesReadOnlyFilesAndFoldersAsTheyWere) {
  TempFolder folder;
  folder.Write("p.Dat", "vecchio");
  platform::files::WriteAtomically(folder.path() + "p.Dat", "nuovo");
  EXPECT_EQ(folder.Read("p.Dat"), "nuovo");

  const std::string locked = folder.path() + "sola_lettura.Dat";
  folder.Write("sola_lettura.Dat", "da tenere");
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  EXPECT_THAT([&] { platform::files::WriteAtomically(locked, "nuovo"); },
              ThrowsMessage<platform::UserError>(HasSubstr(locked + " è protetto da scrittura")));
  EXPECT_EQ(folder.Read("sola_lettura.Dat"), "da tenere");
  EXPECT_EQ(ModeOf(locked), 0444u);

  folder.Write("d.Dat/x", "dentro");
  EXPECT_THROW(platform::files::WriteAtomically(folder.path() + "d.Dat", "nuovo"), platform::UserError);
  EXPECT_EQ(folder.Read("d.Dat/x"), "dentro");
  EXPECT_EQ(folder.Listing(), "d.Dat p.Dat sola_lettura.Dat");
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
