// Restoring over a tree that is already there: what an earlier, killed restore left behind goes,
// and a folder swapped for a link is not followed.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "archive_fixture.h"
#include "archiver/item_error.h"
#include "archiver/linux/unique_fd.h"
#include "archiver/target_tree.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;

// Fault guarded: a killed restore left ".archivia-XXXXXXXX" files that no later restore removed.
// Only files and links of exactly that shape that this user owns and nobody is writing go.
TEST_F(Sandbox, TemporaryFilesOfAKilledRestoreAreRemovedAndLookalikesKept) {
  const std::string folder = target_ + "/cartella/";
  WriteFile(folder + ".archivia-Ab3dE6gH", "metà di un file");
  ASSERT_EQ(::symlink("altrove", (folder + ".archivia-Zz9yY8xX").c_str()), 0);
  const std::vector<std::string> kept = {".archivia-abc1234",      // seven characters
                                         ".archivia-ABCDEFGH.txt", ".archivia-ABCD_FGH",
                                         "archivia-ABCDEFGH",      ".archivia-NoStrO12",
                                         ".archivia-CartElla"};
  for (std::size_t i = 0; i + 1 < kept.size(); ++i) WriteFile(folder + kept[i], "dell'utente");
  ASSERT_EQ(::chown((folder + ".archivia-NoStrO12").c_str(), 65534, 65534), 0);  // another user's
  std::filesystem::create_directories(folder + ".archivia-CartElla");
  WriteFile(target_ + "/in_uso/.archivia-InUs0123", "in scrittura");
  const archiver::UniqueFd in_use(::open((target_ + "/in_uso").c_str(), O_RDONLY | O_DIRECTORY));
  ASSERT_EQ(::flock(in_use.get(), LOCK_SH), 0);  // as a restore still writing there holds it

  WriteHandMadeArchive(archive_, {{"cartella/nuovo.txt", "nuovo", S_IFREG | 0644},
                                  {"in_uso/nuovo.txt", "nuovo", S_IFREG | 0644}});
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  std::vector<std::string> expected = {"nuovo.txt"};
  expected.insert(expected.end(), kept.begin(), kept.end());
  expected.back() += '/';
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(folder), expected);
  EXPECT_EQ(ListTree(target_ + "/in_uso"), (std::vector<std::string>{".archivia-InUs0123", "nuovo.txt"}));
}

// Fault guarded: once a restore had a folder open, a link put in its place sent the files that
// followed, or those of a folder below it, through the link ("fuori" stays empty).
TEST_F(Sandbox, AFolderSwappedForALinkMidwayIsNeverWrittenThrough) {
  std::ostringstream said;
  archiver::Messages messages(said);
  archiver::TargetTree tree(target_, messages);
  const auto place = [&](const archiver::Components& path) {
    try {
      tree.PlaceFile(path, {0644, false, {}}, [](const archiver::FileHandle&, const std::string&) {});
    } catch (const archiver::ItemError&) {
    }
  };
  place({"a", "1"});
  std::filesystem::rename(target_ + "/a", target_ + "/spostata");
  std::filesystem::create_directory_symlink(outside_, target_ + "/a");
  place({"a", "2"});       // the folder still open
  place({"a", "b", "3"});  // below it
  place({"c", "4"});
  place({"a", "5"});       // looked up again after another folder
  EXPECT_EQ(ListTree(target_ + "/spostata"), (std::vector<std::string>{"1", "2", "b/", "b/3"}));
}

}  // namespace
