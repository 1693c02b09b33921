// Restoring over a tree that is already there: what the user has keeps its safeguards, and what
// an earlier, killed restore left behind goes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "archive_fixture.h"
#include "archiver/linux/unique_fd.h"
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
                                         ".archivia-InUs0123",     ".archivia-CartElla"};
  for (std::size_t i = 0; i + 2 < kept.size(); ++i) WriteFile(folder + kept[i], "dell'utente");
  ASSERT_EQ(::chown((folder + ".archivia-NoStrO12").c_str(), 65534, 65534), 0);  // another user's
  const archiver::UniqueFd in_use(::open((folder + ".archivia-InUs0123").c_str(), O_WRONLY | O_CREAT, 0600));
  ASSERT_EQ(::flock(in_use.get(), LOCK_EX), 0);  // as a restore that is still running holds it
  std::filesystem::create_directories(folder + ".archivia-CartElla");

  WriteHandMadeArchive(archive_, {{"cartella/nuovo.txt", "nuovo", S_IFREG | 0644}});
  const auto run = Restore(archive_, target_);
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  std::vector<std::string> expected = {"nuovo.txt"};
  expected.insert(expected.end(), kept.begin(), kept.end());
  expected.back() += '/';
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(folder), expected);
}

}  // namespace
