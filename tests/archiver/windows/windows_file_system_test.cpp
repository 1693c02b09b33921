// What archivia.exe promises in Windows terms.

#include <gtest/gtest.h>
#include <windows.h>
#include <zip.h>

#include <string>
#include <vector>

#include "../archive_fixture.h"
#include "archiver/utf8_path.h"

namespace {

using namespace archiver_test;
using archiver::ExitCode;

std::wstring LongWide(const std::string& path) { return L"\\\\?\\" + archiver::PathFromUtf8(path).wstring(); }

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(LongWide(path).c_str()); }

// Some systems (Wine 8) report success without making the link.
bool IsLink(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

using WindowsFileSystem = Sandbox;

// Fault guarded: writing through a link or junction that already stands in the target.
TEST_F(WindowsFileSystem, ALinkToAFolderInTheTargetIsNeverWrittenThrough) {
  ::CreateDirectoryW(LongWide(target_).c_str(), nullptr);
  if (!::CreateSymbolicLinkW(LongWide(target_ + "\\collegata").c_str(), LongWide(outside_).c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
    GTEST_SKIP() << "this system makes no folder links for an unprivileged user (error " << ::GetLastError() << ")";
  if (!IsLink(target_ + "\\collegata"))
    GTEST_SKIP() << "no folder link made (Wine 8 pretends): WindowsBuild.NeverFollowsALink covers it";
  WriteHandMadeArchive(archive_, {{"collegata/dentro.txt", "attraverso", 0100644},
                                  {"collegata/sotto/", "", 040755},
                                  {"accanto.txt", "resta", 0100644}});
  const archiver_test::Run run = Restore(archive_, target_);
  EXPECT_EQ(run.code, ExitCode::kSomeFailed);
  EXPECT_TRUE(Contains(run.messages, "rifiuto di scrivere attraverso il collegamento o la giunzione " + target_ +
                                         "\\collegata"))
      << run.messages;
  EXPECT_EQ(ReadFile(target_ + "\\accanto.txt"), "resta");  // and "fuori" stays empty
}

// Fault guarded: attributes, times, paths past MAX_PATH lost; an archive stored itself or its lock.
TEST_F(WindowsFileSystem, AttributesTimesAndLongPathsComeBackThroughTheProgram) {
  std::string deep = source_;
  for (int i = 0; i < 6; ++i) deep += "\\cartella piuttosto lunga numero " + std::to_string(i) + " di sei, per superare";
  ASSERT_GT(deep.size(), 300u);
  WriteHandMadeArchive(archive_, {{archiver::Utf8Of(archiver::PathFromUtf8(deep).relative_path().generic_u8string()) +
                                       "/profondo.txt",
                                   "in fondo", 0100644, ZIP_OPSYS_UNIX, 1'500'000'000}});
  const std::string drive_root = archiver::Utf8Of(archiver::PathFromUtf8(root_).root_path());
  ASSERT_EQ(Restore(archive_, drive_root).code, ExitCode::kDone);  // puts it back at its absolute path
  ::DeleteFileW(LongWide(archive_).c_str());
  WriteFile(source_ + "\\sola lettura.txt", "non toccare");
  WriteFile(source_ + "\\nascosto.txt", "non guardare");
  WriteFile(source_ + "\\città.txt", "Forlì");
  SetMtime(source_ + "\\sola lettura.txt", 1'600'000'000);
  SetMtime(source_ + "\\nascosto.txt", 1'400'000'000);
  ::SetFileAttributesW(LongWide(source_ + "\\sola lettura.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ::SetFileAttributesW(LongWide(source_ + "\\nascosto.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string inner_archive = source_ + "\\copia.zip";
  ::CreateSymbolicLinkW(LongWide(source_ + "\\verso fuori").c_str(), LongWide(root_).c_str(),
                        SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);

  const ProcessResult backup = RunProgram(BackupCommand(inner_archive, source_));
  ASSERT_EQ(backup.exit_code, 0) << backup.output;
  for (const std::string& name : EntryNames(inner_archive)) {
    EXPECT_FALSE(Contains(name, "copia.zip")) << name;  // neither the archive nor its lock
    EXPECT_FALSE(Contains(name, "verso fuori")) << name;  // a link that leads back up is not followed
  }
  if (IsLink(source_ + "\\verso fuori")) {
    EXPECT_TRUE(Contains(backup.output, "verso fuori: è un collegamento o una giunzione")) << backup.output;
  }
  const ProcessResult restore = RunProgram(RestoreCommand(inner_archive, target_));
  ASSERT_EQ(restore.exit_code, 0) << restore.output;

  const std::string restored = target_ + "\\" + archiver::Utf8Of(archiver::PathFromUtf8(source_).relative_path());
  EXPECT_EQ(ReadFile(restored + "\\città.txt"), "Forlì");
  EXPECT_EQ(ReadFile(restored + "\\sola lettura.txt"), "non toccare");
  EXPECT_EQ(Mtime(restored + "\\sola lettura.txt"), 1'600'000'000);
  EXPECT_EQ(Mtime(restored + "\\nascosto.txt"), 1'400'000'000);
  EXPECT_TRUE(Attributes(restored + "\\sola lettura.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Attributes(restored + "\\città.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Attributes(restored + "\\nascosto.txt") & FILE_ATTRIBUTE_HIDDEN);
  const std::string deep_restored =
      target_ + "\\" + archiver::Utf8Of(archiver::PathFromUtf8(deep).relative_path()) + "\\profondo.txt";
  EXPECT_NE(Attributes(deep_restored), INVALID_FILE_ATTRIBUTES) << deep_restored;
  EXPECT_EQ(Mtime(deep_restored), 1'500'000'000);
  // Restoring again over the read-only file replaces it, as on Linux.
  EXPECT_EQ(RunProgram(RestoreCommand(inner_archive, target_)).exit_code, 0);
  ::SetFileAttributesW(LongWide(source_ + "\\sola lettura.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  ::SetFileAttributesW(LongWide(restored + "\\sola lettura.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
