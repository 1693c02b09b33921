#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

// The renamed-in file came out 0644 and the saver's, whatever the file and the umask had been.
TEST(Files, AtomicWriteKeepsTheReplacedFilesModeAndOwnerAndNewFilesFollowTheUmask) {
  TempFolder folder;
  const std::string shared = folder.path() + "condiviso.Dat";
  folder.Write("condiviso.Dat", "vecchio");
  ASSERT_EQ(::chmod(shared.c_str(), 0660), 0);
  const bool root = ::geteuid() == 0;
  if (root) { ASSERT_EQ(::chown(shared.c_str(), 1234, 5678), 0); }
  platform::files::WriteAtomically(shared, "nuovo");
  EXPECT_EQ(folder.Read("condiviso.Dat"), "nuovo");
  const struct stat st = StatOf(shared);
  EXPECT_EQ(st.st_mode & 07777, 0660u);
  if (root) { EXPECT_EQ(std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid), "1234:5678"); }

  const mode_t saved = ::umask(027);
  platform::files::WriteAtomically(folder.path() + "privato.Dat", "x");
  ::umask(002);
  platform::files::WriteAtomically(folder.path() + "gruppo.Dat", "x");
  ::umask(saved);
  EXPECT_EQ(StatOf(folder.path() + "privato.Dat").st_mode & 07777, 0640u);
  EXPECT_EQ(StatOf(folder.path() + "gruppo.Dat").st_mode & 07777, 0664u);
}

TEST(Paths, JoinFolderOfAndPlainNames) {
  using namespace platform::paths;
  EXPECT_EQ(Join("/a/", "b"), "/a/b");
  EXPECT_EQ(Join("/a", "b"), "/a/b");
  EXPECT_EQ(FolderOf("/a/b/c"), "/a/b");
  EXPECT_EQ(FolderOf("/c"), "/");
  EXPECT_EQ(DriveRoot("/home/anna/Documenti/"), "/");
}

}  // namespace
