// Restoring over a tree that is already there: what the user has keeps its safeguards, and what
// an earlier, killed restore left behind goes.

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
#include "support/temp_folder.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
using testing_support::TempFolder;

class RestoreOverExisting : public ::testing::Test {
 protected:
  void MakeFolder(const std::string& name, mode_t mode) {
    std::filesystem::create_directories(target_ + "/" + name);
    ASSERT_EQ(::chmod((target_ + "/" + name).c_str(), mode), 0);
  }

  TempFolder sandbox_;
  const std::string archive_ = sandbox_.path() + "archivio.zip";
  const std::string target_ = sandbox_.path() + "destinazione";
};

// Fault guarded: restoring to "/" turned a sticky 1777 folder into a plain world-writable 0777
// one, took setgid off a shared 2775 folder and opened up a private one.
TEST_F(RestoreOverExisting, FoldersThatAlreadyExistKeepTheirModes) {
  MakeFolder("condivisa", 01777);
  MakeFolder("gruppo", 02775);
  MakeFolder("privata", 0700);
  WriteHandMadeArchive(archive_, {{"condivisa/", "", S_IFDIR | 01777},
                                  {"condivisa/a.txt", "a", S_IFREG | 0644},
                                  {"gruppo/", "", S_IFDIR | 0775},
                                  {"gruppo/nuova/", "", S_IFDIR | 03775},
                                  {"gruppo/nuova/b.txt", "b", S_IFREG | 0644},
                                  {"privata/", "", S_IFDIR | 0777},
                                  {"privata/c.txt", "c", S_IFREG | 0644}});
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  EXPECT_EQ(Permissions(target_ + "/condivisa"), 01777u);
  EXPECT_EQ(Permissions(target_ + "/gruppo"), 02775u);
  EXPECT_EQ(Permissions(target_ + "/privata"), 0700u);
  // Made by the restore, inside a setgid folder that would hand its bit down: no special bits.
  EXPECT_EQ(Permissions(target_ + "/gruppo/nuova"), 0775u);
  EXPECT_EQ(ReadFile(target_ + "/gruppo/nuova/b.txt"), "b");
  EXPECT_EQ(ReadFile(target_ + "/privata/c.txt"), "c");
}

// Fault guarded: a killed restore left ".archivia-XXXXXXXX" files that no later restore removed.
// Only files and links of exactly that shape that this user owns and nobody is writing go.
TEST_F(RestoreOverExisting, TemporaryFilesOfAKilledRestoreAreRemovedAndLookalikesKept) {
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
// followed, or those of a folder below it, through the link.
TEST_F(RestoreOverExisting, AFolderSwappedForALinkMidwayIsNeverWrittenThrough) {
  const std::string outside = sandbox_.path() + "fuori";
  std::filesystem::create_directories(outside);
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
  std::filesystem::create_directory_symlink(outside, target_ + "/a");
  place({"a", "2"});       // the folder still open
  place({"a", "b", "3"});  // below it
  place({"c", "4"});
  place({"a", "5"});       // looked up again after another folder
  EXPECT_EQ(ListTree(outside), std::vector<std::string>{});
  EXPECT_EQ(ListTree(target_ + "/spostata"), (std::vector<std::string>{"1", "2", "b/", "b/3"}));
}

}  // namespace
