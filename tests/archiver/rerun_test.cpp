#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "archive_fixture.h"
#include "archiver/archive_writer.h"
#include "archiver/kept_entries.h"
#include "archiver/source_tree.h"

namespace {

using archiver::ExitCode;
using namespace archiver_test;
namespace fs = std::filesystem;

constexpr std::int64_t kFirstRun = 1'000'000'000;
constexpr std::int64_t kLongBefore = kFirstRun - 3600;

// By the entries' last names.
std::map<std::string, EntryInfo> StoredEntries(const std::string& path) {
  std::map<std::string, EntryInfo> entries;
  for (EntryInfo& entry : ReadEntries(path))
    entries[entry.name.substr(entry.name.find_last_of('/', entry.name.size() - 2) + 1)] = entry;
  return entries;
}

struct RerunCase {
  const char* fault;
  std::string name, first;  // and its data in the first run
  std::int64_t first_mtime;
  std::function<void(const std::string& path)> change;  // between the runs; none: untouched
  bool kept;
};

TEST_F(Sandbox, ARerunKeepsTheEntriesOfUnchangedFilesAsTheyAreAndStoresEveryChangedFileAnew) {
  const auto rewrite = [](std::string text, std::int64_t mtime) {
    return [=](const std::string& path) {
      WriteFile(path, text);
      SetMtime(path, mtime);
    };
  };
  const std::vector<RerunCase> cases{
      {"an unchanged text is compressed again", "testo.txt", CompressibleText(50'000, 1), kLongBefore, {}, true},
      {"an unchanged photo is read again", "foto.jpg", RandomBytes(100'000, 2), kLongBefore, {}, true},
      {"a file rewritten in the second of the first run, same size, is kept stale", "stesso_secondo.txt", "prima",
       kFirstRun - 1, rewrite("dopo!", kFirstRun - 1), false},
      {"only the size changed", "dimensione.txt", "ab", kLongBefore, rewrite("abc", kLongBefore), false},
      {"a file gone from the folder left the archive", "sparito.txt", "resta", kLongBefore,
       [](const std::string& path) { fs::remove(path); }, true},
      // Large enough for the parallel compressors, a new entry between two replaced ones.
      {"a large replaced file", "m1.log", CompressibleText(180'000, 1), kLongBefore,
       rewrite(CompressibleText(300'000, 11), kLongBefore + 9), false},
      {"another large replaced file", "m3.log", CompressibleText(180'000, 3), kLongBefore,
       rewrite(CompressibleText(300'000, 13), kLongBefore + 9), false},
  };
  for (const RerunCase& c : cases) {
    WriteFile(source_ + "/" + c.name, c.first);
    SetMtime(source_ + "/" + c.name, c.first_mtime);
  }
  // Fault guarded: the old entries a change of type made stale stayed and came back.
  for (const std::string name : {"diventa cartella", "diventa file/sotto/b.txt", "diventa collegamento/c.txt"})
    WriteFile(source_ + "/" + name, "prima");
  // The first run as if begun at kFirstRun, so that the rerun's own entries tell apart.
  std::ostringstream out;
  archiver::Messages messages(out);
  const std::vector<archiver::SourceItem> items = archiver::ListTree(source_, {}, messages);
  std::vector<archiver::FilePlan> plans = archiver::PlanCompression(items, 1u << 20);
  archiver::ProgressReport untold(nullptr, 0, 0);
  ASSERT_TRUE(
      archiver::WriteArchive(archive_, items, plans, std::vector<bool>(items.size(), true), kFirstRun, untold).written);
  const auto before = StoredEntries(archive_);
  for (const RerunCase& c : cases)
    if (c.change) c.change(source_ + "/" + c.name);
  WriteFile(source_ + "/nuovo.txt", "aggiunto");
  WriteFile(source_ + "/m2.log", CompressibleText(250'000, 2));
  fs::remove(source_ + "/diventa cartella");
  WriteFile(source_ + "/diventa cartella/dentro.txt", "ora in una cartella");
  for (const std::string name : {"diventa file", "diventa collegamento"}) fs::remove_all(source_ + "/" + name);
  WriteFile(source_ + "/diventa file", "ora un file");
#ifdef _WIN32
  WriteFile(source_ + "/diventa collegamento", "ora un file");
#else
  fs::create_symlink("nuovo.txt", source_ + "/diventa collegamento");
#endif

  const archiver_test::Run rerun = Backup(archive_, source_);
  ASSERT_EQ(rerun.code, ExitCode::kDone) << rerun.messages;
  const auto after = StoredEntries(archive_);
  for (const RerunCase& c : cases) {
    const EntryInfo& old_entry = before.at(c.name);
    const EntryInfo& new_entry = after.at(c.name);
    EXPECT_EQ(new_entry.stored_at == kFirstRun, c.kept) << c.fault;
    if (c.kept) { EXPECT_TRUE(new_entry.raw == old_entry.raw) << c.fault; }
  }
  EXPECT_GT(after.at("nuovo.txt").stored_at, kFirstRun);
  EXPECT_EQ(ReadEntries(archive_).size(), after.size());  // no name twice
  for (const auto& [name, entry] : after) EXPECT_EQ(entry.extended_timestamps, 1) << name;  // no old one left

  ASSERT_EQ(Restore(archive_, target_).code, ExitCode::kDone);
  const std::string folder = target_ + "/" + after.at("Documenti di Anna/").name;
  EXPECT_EQ(ReadFile(folder + "sparito.txt"), "resta");
  fs::remove(folder + "sparito.txt");
  ExpectSameTree(source_, folder);
}

TEST(KeptEntry, OnlyAFileAsItWasStoredByThisArchiverLongEnoughAfterItsLastChangeIsKept) {
  const archiver::SourceItem file{"", "", archiver::EntryKind::kFile, 0644, kLongBefore, 100};
  const archiver::StoredFile stored{
      100, kLongBefore, ZIP_OPSYS_UNIX, archiver::ExternalAttributes(archiver::EntryKind::kFile, 0644, false),
      ZIP_CM_DEFLATE, kFirstRun};
  ASSERT_TRUE(archiver::StillAsStored(file, stored));
  struct Row {
    const char* fault;
    std::function<void(archiver::SourceItem&, archiver::StoredFile&)> differ;
  };
  const std::vector<Row> rows{
      {"another size", [](auto& item, auto&) { item.size = 101; }},
      {"another time", [](auto& item, auto&) { item.mtime += 1; }},
      {"another mode", [](auto& item, auto&) { item.permissions = 0600; }},
      {"hidden since", [](auto& item, auto&) { item.hidden = true; }},
      {"a folder now", [](auto& item, auto&) { item.kind = archiver::EntryKind::kFolder; }},
      {"an entry another system's tool wrote", [](auto&, auto& entry) { entry.made_on = 0; }},
      {"a method this archiver never writes", [](auto&, auto& entry) { entry.method = ZIP_CM_BZIP2; }},
      {"no record of the run that stored it", [](auto&, auto& entry) { entry.stored_at.reset(); }},
      {"changed 2 seconds before that run", [](auto& item, auto& entry) { entry.stored_at = item.mtime + 2; }},
      {"changed after that run began", [](auto& item, auto& entry) { entry.stored_at = item.mtime - 5; }},
  };
  for (const Row& row : rows) {
    archiver::SourceItem item = file;
    archiver::StoredFile entry = stored;
    row.differ(item, entry);
    EXPECT_FALSE(archiver::StillAsStored(item, entry)) << row.fault;
  }
}

}  // namespace
