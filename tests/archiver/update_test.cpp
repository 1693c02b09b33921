#include <gtest/gtest.h>
#include <signal.h>
#include <zip.h>

#include <filesystem>

#include "archive_fixture.h"
#include "support/poll_until.h"
#include "archiver/archive_check.h"
#include "archiver/archive_writer.h"
#include "archiver/deflater.h"
#include "archiver/source_tree.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;

TEST_F(Sandbox, AKilledBackupLeavesTheOldArchiveAsItWasAndTheNextRunRemovesOnlyLeftovers) {
  WriteFile(source_ + "/a.txt", "a");
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const std::string before = ReadFile(archive_);
  WriteFile(source_ + "/grande.bin", RandomBytes(48 << 20, 3));  // stored, so writing it takes a while

  const int child = StartProgram(BackupCommand(archive_, source_), "/dev/null");
  const auto writing = [&] { return !Leftovers(archive_).empty(); };
  const bool killed = testing_support::PollUntil(writing, std::chrono::seconds(10), std::chrono::milliseconds(1));
  ::kill(child, SIGKILL);
  WaitForProgram(child);
  ASSERT_TRUE(killed) << "the run ended before it could be killed";
  EXPECT_TRUE(ReadFile(archive_) == before);
  std::vector<std::string> leftovers = Leftovers(archive_);

  leftovers.insert(leftovers.end(), {archive_ + ".Ab12Cd", archive_ + ".Zy98Xw"});
  WriteFile(leftovers.end()[-2], before.substr(0, before.size() / 2));  // killed while writing
  WriteFile(leftovers.back(), "");                                      // killed at once
  WriteFile(archive_ + ".backup", before);                               // the user's own copy
  WriteFile(archive_ + ".note12", "appunti");
  std::filesystem::remove(source_ + "/grande.bin");
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  for (const std::string& path : leftovers) EXPECT_FALSE(Exists(path)) << path;
  EXPECT_EQ(ReadFile(archive_ + ".backup"), before);
  EXPECT_EQ(ReadFile(archive_ + ".note12"), "appunti");
}

// Fault guarded: a vanished or shrunk file or a bad new entry passed; an old damaged one went unnamed.
TEST_F(Sandbox, EntriesAreCheckedBeforeTheNewArchiveReplacesTheOldOne) {
  const std::string prefix = source_.substr(1) + "/";
  archiver::ProgressReport untold(nullptr, 0, 0);
  WriteFile(source_ + "/foto.jpg", RandomBytes(100'000, 4));  // stored, so its bytes lie in the archive as they are
  WriteFile(source_ + "/a.txt", "a");
  ASSERT_EQ(Backup(archive_, source_).code, ExitCode::kDone);
  const std::string before = ReadFile(archive_);
  const std::vector<std::string> sandbox_before = ListTree(root_);
  std::vector<archiver::SourceItem> items(4, archiver::ListItem(source_ + "/a.txt"));
  items[1] = {source_ + "/sparito.log", prefix + "sparito.log", archiver::EntryKind::kFile, 0644, 0, 100'000, {}};
  items[2] = {source_ + "/sparito.bin", prefix + "sparito.bin", archiver::EntryKind::kFile, 0644, 0, 100'000, {}};
  items[3].name = prefix + "accorciato.txt";  // listed as large, so deflated in pieces, but one byte now
  items[3].size = 40 << 20;
  std::vector<archiver::FilePlan> plans(4);
  plans[0].method = plans[1].method = plans[3].method = archiver::Method::kDeflate;
  plans[2].method = archiver::Method::kStore;  // streamed by libzip
  for (std::size_t bad = 1; bad < 4; ++bad) {  // deflated, streamed by libzip, shrunk
    std::vector<bool> included{true, false, false, false};
    included[bad] = true;
    const auto failed = archiver::WriteArchive(archive_, items, plans, included, 0, untold);
    EXPECT_FALSE(failed.written) << bad;
    if (bad == 3) { EXPECT_EQ(failed.changed, std::vector<std::size_t>{3}); }  // to be read again
    if (bad < 3) {
      ASSERT_EQ(failed.unreadable.size(), 1u) << bad;
      EXPECT_EQ(failed.unreadable[0].first, bad);
      EXPECT_THAT(failed.unreadable[0].second, HasSubstr(items[bad].name.substr(prefix.size())));
    }
  }
  // Deflated data carries the CRC and size it was given (libzip computes them only for stored data).
  const std::uint8_t data[] = {'n', 'u', 'o', 'v', 'o'};
  archiver::PackedData packed{{}, archiver::Crc32(data, 5), 5};
  archiver::Deflater().Compress(data, 5, packed.bytes);
  std::vector<std::uint8_t> trailing = packed.bytes;
  trailing.push_back(0);  // a byte past the end of the deflate stream
  const std::vector<archiver::PackedData> wrong_entries{{packed.bytes, packed.crc ^ 1, 5},  // wrong CRC
                                                        {packed.bytes, packed.crc, 6},      // wrong size
                                                        {trailing, packed.crc, 5}};         // wrong compressed size
  for (const archiver::PackedData& wrong_entry : wrong_entries) {
    plans[0].packed = wrong_entry;
    const auto wrong = archiver::WriteArchive(archive_, items, plans, {true, false, false, false}, 0, untold);
    EXPECT_FALSE(wrong.written) << wrong_entry.size;
    EXPECT_EQ(wrong.changed, std::vector<std::size_t>{0}) << wrong_entry.size;  // to be read again
  }
  EXPECT_TRUE(ReadFile(archive_) == before);
  EXPECT_EQ(ListTree(root_), sandbox_before);
  plans[0].packed.reset();
  EXPECT_TRUE(archiver::WriteArchive(archive_, items, plans, {true, false, false, false}, 0, untold).written);
  EXPECT_EQ(ListTree(root_), sandbox_before);

  // The photo leaves the folder, so the next run copies its entry; a byte of it was damaged.
  std::string damaged = ReadFile(archive_);
  const std::size_t at = damaged.find(RandomBytes(100'000, 4).substr(50'000, 64));
  ASSERT_NE(at, std::string::npos);
  damaged[at] = static_cast<char>(damaged[at] ^ 0x55);
  WriteFile(archive_, damaged);
  std::filesystem::remove(source_ + "/foto.jpg");
  WriteFile(source_ + "/b.txt", "b");
  const auto update = Backup(archive_, source_);
  EXPECT_EQ(update.code, ExitCode::kSomeFailed);
  EXPECT_THAT(update.messages, HasSubstr("voce danneggiata già nell'archivio " + archive_ + ": \"" + prefix + "foto.jpg\": "));
  EXPECT_EQ(EntryNames(archive_),
            (std::vector<std::string>{prefix, prefix + "a.txt", prefix + "foto.jpg", prefix + "b.txt"}));

  // Fault guarded: data after the deflate stream of an entry too large for memory passed.
  const std::string stream(packed.bytes.begin(), packed.bytes.end());
  WriteHandMadeArchive(archive_, {{"grande.bin", stream + std::string(40 << 20, 'x'), {}, 3, {}, {}, false, 0, "", ZIP_CM_DEFLATE}});
  const std::vector<archiver::DamagedEntry> found = archiver::CheckArchive(archive_);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].problem, "dati compressi non validi");
}

}  // namespace
