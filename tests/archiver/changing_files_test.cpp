// Files changing while read, and backups at the same time: no bad entry, no spoilt archive.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "archive_fixture.h"
#include "support/poll_until.h"
#include "archiver/linux/unique_fd.h"
#include "archiver/source_file.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;

// As an editor saving without a rename does.
void ScribbleOver(const std::string& path, const std::string& bytes, std::int64_t mtime) {
  const archiver::UniqueFd fd(::open(path.c_str(), O_WRONLY));
  ASSERT_EQ(::pwrite(fd.get(), bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
  SetMtime(path, mtime);
}

class ChangingFiles : public Sandbox {
 protected:
  ~ChangingFiles() override { archiver::SetReadHookForTests({}); }

  void ExpectSoundArchive() {
    if (ToolExists("unzip")) { EXPECT_EQ(RunProgram({"unzip", "-tq", archive_}).exit_code, 0); }
    const auto restore = Restore(archive_, target_);
    EXPECT_EQ(restore.code, ExitCode::kDone) << restore.messages;
  }
};

// Fault guarded: a file changed while read was stored mixed; one changing at every reading lost its entry.
TEST_F(ChangingFiles, AFileChangedWhileReadIsReadAgainAndOneThatKeepsChangingKeepsItsEarlierEntry) {
  const std::string large = source_ + "/registro.log";  // over 32 MiB: read and deflated in pieces
  const std::string medium = source_ + "/medio.txt";    // read whole and deflated in memory
  const std::string photo = source_ + "/foto.jpg";      // stored: streamed by libzip as it writes
  const std::string large_before = CompressibleText(36 << 20, 1), large_after = CompressibleText(36 << 20, 2);
  const std::string medium_after = CompressibleText(1 << 20, 4);
  const std::string photo_before = RandomBytes(2 << 20, 5), photo_after = RandomBytes(2 << 20, 6);
  WriteFile(large, large_before);
  WriteFile(medium, CompressibleText(1 << 20, 3));
  WriteFile(photo, photo_before);

  std::atomic<bool> large_done{false}, medium_done{false}, photo_done{false};
  archiver::SetReadHookForTests([&](const std::string& path, std::uint64_t end) {
    if (path == large && end >= (12u << 20) && !large_done.exchange(true)) {
      WriteFile(large + ".nuovo", large_after);  // replaced by another file between two pieces
      std::filesystem::rename(large + ".nuovo", large);
    } else if (path == medium && end == medium_after.size() && !medium_done.exchange(true)) {
      ScribbleOver(medium, medium_after, 1'500'000'001);  // rewritten just after it was read
    } else if (path == photo && end >= (1u << 20) && !photo_done.exchange(true)) {
      ScribbleOver(photo, photo_after, 1'500'000'003);  // rewritten halfway through
    }
  });
  const auto run = Backup(archive_, source_);
  EXPECT_EQ(run.code, ExitCode::kDone) << run.messages;
  EXPECT_TRUE(large_done && medium_done && photo_done);
  EXPECT_THAT(run.messages, HasSubstr(medium + " è cambiato durante la lettura"));
  EXPECT_THAT(run.messages, HasSubstr(photo + " è cambiato durante la lettura"));

  ExpectSoundArchive();
  // The replaced file's old copy was still whole behind its open descriptor: either version is sound.
  const std::string earlier = ReadFile(target_ + large);
  EXPECT_TRUE(earlier == large_after || earlier == large_before);
  EXPECT_TRUE(ReadFile(target_ + medium) == medium_after);
  EXPECT_EQ(Mtime(target_ + medium), 1'500'000'001);
  EXPECT_TRUE(ReadFile(target_ + photo) == photo_after);

  WriteFile(large, CompressibleText(36 << 20, 3));
  WriteFile(medium, "dopo");
  std::atomic<int> writes{0};
  archiver::SetReadHookForTests([&](const std::string& path, std::uint64_t end) {
    if (path == large && end == (16u << 20))
      ScribbleOver(large, "riscritto " + std::to_string(++writes), 1'600'000'000 + writes);
  });
  const auto again = Backup(archive_, source_);
  EXPECT_EQ(again.code, ExitCode::kSomeFailed) << again.messages;
  EXPECT_THAT(again.messages, HasSubstr("impossibile archiviare " + large));
  EXPECT_GE(writes, 2);
  std::filesystem::remove_all(target_);
  ExpectSoundArchive();
  EXPECT_TRUE(ReadFile(target_ + large) == earlier);
  EXPECT_EQ(ReadFile(target_ + medium), "dopo");
}

// The second waits for the first, so neither removes the other's temporary file.
TEST_F(ChangingFiles, TwoBackupsIntoOneArchiveAtOnceBothFinish) {
  const std::string first = root_ + "prima", second = root_ + "seconda";
  WriteFile(first + "/grande.bin", RandomBytes(48 << 20, 7));  // stored, so writing it takes a while
  WriteFile(second + "/piccolo.txt", "piccolo");
  const int slow = StartProgram(BackupCommand(archive_, first), root_ + "prima.txt");
  ASSERT_TRUE(testing_support::PollUntil([&] { return !Leftovers(archive_).empty(); }))
      << ReadFile(root_ + "prima.txt");
  const int quick = StartProgram(BackupCommand(archive_, second), root_ + "seconda.txt");
  EXPECT_EQ(WaitForProgram(slow), 0) << ReadFile(root_ + "prima.txt");
  EXPECT_EQ(WaitForProgram(quick), 0) << ReadFile(root_ + "seconda.txt");
  EXPECT_THAT(ReadFile(root_ + "seconda.txt"), HasSubstr("è in uso da un'altra copia"));

  EXPECT_EQ(EntryNames(archive_), (std::vector<std::string>{first.substr(1) + "/", first.substr(1) + "/grande.bin",
                                             second.substr(1) + "/", second.substr(1) + "/piccolo.txt"}));
  EXPECT_FALSE(Exists(archive_ + ".lock"));
  ExpectSoundArchive();
}

}  // namespace
