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

// Links in the folder or the target are WindowsBuild.NeverFollowsALink's: Wine 8 makes none.
using WindowsFileSystem = Sandbox;

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
  ::SetFileAttributesW(LongWide(source_ + "\\sola lettura.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ::SetFileAttributesW(LongWide(source_ + "\\nascosto.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string inner_archive = source_ + "\\copia.zip";

  const ProcessResult backup = RunProgram(BackupCommand(inner_archive, source_));
  ASSERT_EQ(backup.exit_code, 0) << backup.output;
  EXPECT_THAT(EntryNames(inner_archive), testing::Each(testing::Not(HasSubstr("copia.zip"))));  // nor its lock
  const ProcessResult restore = RunProgram(RestoreCommand(inner_archive, target_));
  ASSERT_EQ(restore.exit_code, 0) << restore.output;

  const std::string restored = target_ + "\\" + archiver::Utf8Of(archiver::PathFromUtf8(source_).relative_path());
  EXPECT_EQ(ReadFile(restored + "\\città.txt"), "Forlì");
  EXPECT_EQ(Mtime(restored + "\\sola lettura.txt"), 1'600'000'000);
  EXPECT_TRUE(Attributes(restored + "\\sola lettura.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(Attributes(restored + "\\città.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Attributes(restored + "\\nascosto.txt") & FILE_ATTRIBUTE_HIDDEN);
  const std::string deep_restored =
      target_ + "\\" + archiver::Utf8Of(archiver::PathFromUtf8(deep).relative_path()) + "\\profondo.txt";
  EXPECT_NE(Attributes(deep_restored), INVALID_FILE_ATTRIBUTES) << deep_restored;
  EXPECT_EQ(Mtime(deep_restored), 1'500'000'000);
  // Restoring again over the read-only file replaces it, as on Linux.
  EXPECT_EQ(RunProgram(RestoreCommand(inner_archive, target_)).exit_code, 0);
}

}  // namespace
