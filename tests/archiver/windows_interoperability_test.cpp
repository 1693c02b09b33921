// Archives crossing between Windows and Linux: those Windows tools write, and those the Windows
// build of archivia writes and reads, run under Wine when that build is there.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "archive_fixture.h"
#include "archiver/dos_code_page.h"
#include "linux/started_program.h"
#include "support/temp_folder.h"

namespace {

using namespace archiver_test;
using archiver::ExitCode;
using testing_support::TempFolder;

// The Windows build's archivia.exe: FALDONE_WINDOWS_ARCHIVIA, or the Windows build folder the
// README's test command configures beside the sources.
std::string WindowsArchivia() {
  if (const char* given = std::getenv("FALDONE_WINDOWS_ARCHIVIA")) return given;
  return FALDONE_SOURCE_DIR "/build-win/programma/archivia.exe";
}

// How Wine names a Linux path: drive Z: is "/".
std::string WinePath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

ProcessResult RunUnderWine(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"bash", FALDONE_SOURCE_DIR "/scripts/windows/wine-run.sh", WindowsArchivia()});
  return RunProgram(arguments);
}

// The Windows build run under Wine; the tests skip when it has not been built.
class WindowsBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(WindowsArchivia()) || !std::filesystem::exists("/usr/lib/wine/wine64"))
      GTEST_SKIP() << "no Windows build at " << WindowsArchivia() << " or no Wine to run it";
  }
};

// Guards against losing a Windows tool's read-only flag, which has no Unix mode beside it.
TEST(WindowsArchives, TheReadOnlyFlagOfWindowsToolsTakesTheWritePermissionsAway) {
  const TempFolder sandbox;
  const std::string archive = sandbox.path() + "windows.zip";
  HandMadeEntry read_only{"documenti\\sola lettura.txt", "non toccare", std::nullopt, ZIP_OPSYS_WINDOWS_NTFS};
  read_only.dos_attributes = 0x21;
  HandMadeEntry writable{"documenti\\lettera.txt", "cara Anna", std::nullopt, ZIP_OPSYS_WINDOWS_NTFS};
  writable.dos_attributes = 0x20;
  WriteHandMadeArchive(archive, {read_only, writable});
  const archiver_test::Run run = Restore(archive, sandbox.path() + "destinazione");
  ASSERT_EQ(run.code, ExitCode::kDone) << run.messages;
  EXPECT_EQ(Permissions(sandbox.path() + "destinazione/documenti/sola lettura.txt") & 0222, 0u);
  EXPECT_NE(Permissions(sandbox.path() + "destinazione/documenti/lettera.txt") & 0200, 0u);
}

// Guards against the backups of the earlier Windows program coming back wrong: names in the DOS
// code page written as bytes that are no UTF-8, NTFS and older Unix times passed over for the
// local MS-DOS time (hours off), a Unicode Path field passed over, and an update that keeps the
// same file under two spellings (È is 0xD4 in code page 850, but no letter in 437). A name made
// on Unix keeps its bytes.
TEST(WindowsArchives, AWindowsArchiversBackupComesBackWholeAndAnUpdateKeepsOneEntryPerFile) {
  EXPECT_EQ(archiver::Utf8FromDosCodePage("\x85\x8A\x82\x8D\x95\x97\xB7\xD4\x90\xDE\xE3\xEB"), "àèéìòùÀÈÉÌÒÙ");
  const TempFolder sandbox;
  const std::string source = sandbox.path() + "dati", archive = sandbox.path() + "08120101.ZIP";
  const std::vector<ForeignFile> files =
      WriteWindowsArchiverBackup(archive, source.substr(1) + "/", {{"\xD4 tutto.txt", "vecchio"}, {"unix\x82", "", 3}});
  const archiver_test::Run restored = Restore(archive, "/");  // back where it came from
  ASSERT_EQ(restored.code, ExitCode::kDone) << restored.messages;
  EXPECT_EQ(ListTree(source), (std::vector<std::string>{"Città/", "Città/perché no.doc", "caffè.txt",
                                                        "prezzi in €.txt", "unix\x82", "È tutto.txt"}));
  for (const ForeignFile& file : files) {
    EXPECT_EQ(ReadFile(source + "/" + file.name), file.data) << file.name;
    EXPECT_EQ(Mtime(source + "/" + file.name), file.mtime.seconds) << file.name;
    EXPECT_EQ((Permissions(source + "/" + file.name) & 0222) == 0, file.read_only) << file.name;
  }
  EXPECT_EQ(Mtime(source + "/Città"), 1'072'000'000);

  WriteFile(source + "/È tutto.txt", "nuovo");
  ASSERT_EQ(Backup(archive, source).code, ExitCode::kDone);
  const std::vector<std::string> names = EntryNames(archive);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << testing::PrintToString(names);
}

// Guards against archives that only the system that wrote them can restore: each build restores
// the other's byte for byte, with times and read-only files.
TEST_F(WindowsBuild, TheLinuxAndWindowsBuildsRestoreEachOthersArchives) {
  const TempFolder sandbox;
  const std::string source = sandbox.path() + "dati";
  WriteFile(source + "/documenti/lettera.txt", "Cara Anna,\nti scrivo da Forlì.\n");
  WriteFile(source + "/perché.txt", CompressibleText(300'000, 7));
  WriteFile(source + "/sola lettura.bin", RandomBytes(70'000, 3));
  std::filesystem::create_directories(source + "/vuota");
  ::chmod((source + "/sola lettura.bin").c_str(), 0444);
  SetMtime(source + "/documenti/lettera.txt", 1'700'000'000);
  SetMtime(source + "/sola lettura.bin", 1'600'000'000);
  SetMtime(source + "/vuota", 1'400'000'000);
  const std::vector<std::string> names{"documenti/", "documenti/lettera.txt", "perché.txt", "sola lettura.bin", "vuota/"};
  const auto check = [&](const std::string& restored, const std::string& how) {
    EXPECT_EQ(ListTree(restored), names) << how;
    for (const std::string name : {"documenti/lettera.txt", "perché.txt", "sola lettura.bin"}) {
      EXPECT_EQ(ReadFile(restored + "/" + name), ReadFile(source + "/" + name)) << how << ": " << name;
      EXPECT_EQ(Mtime(restored + "/" + name), Mtime(source + "/" + name)) << how << ": " << name;
    }
    EXPECT_EQ(Mtime(restored + "/vuota"), 1'400'000'000) << how;
    EXPECT_EQ(Permissions(restored + "/sola lettura.bin") & 0222, 0u) << how;
    EXPECT_NE(Permissions(restored + "/perché.txt") & 0200, 0u) << how;
  };

  const std::string linux_archive = sandbox.path() + "linux.zip";
  ASSERT_EQ(Backup(linux_archive, source).code, ExitCode::kDone);
  const ProcessResult windows_restore =
      RunUnderWine({"-min", "-e", "-o", WinePath(linux_archive), WinePath(sandbox.path() + "da_linux")});
  ASSERT_EQ(windows_restore.exit_code, 0) << windows_restore.output;
  check(sandbox.path() + "da_linux" + source, "Linux to Windows");

  const std::string windows_archive = sandbox.path() + "windows.zip";
  const ProcessResult windows_backup =
      RunUnderWine({"-min", "-a", "-r", "-p", WinePath(windows_archive), WinePath(source) + "\\*.*"});
  ASSERT_EQ(windows_backup.exit_code, 0) << windows_backup.output;
  ASSERT_EQ(Restore(windows_archive, sandbox.path() + "da_windows").code, ExitCode::kDone);
  check(sandbox.path() + "da_windows" + source, "Windows to Linux");
  if (ToolExists("unzip")) {
    const ProcessResult tested = RunProgram({"unzip", "-tq", windows_archive});
    EXPECT_EQ(tested.exit_code, 0) << tested.output;
  }
  ::chmod((source + "/sola lettura.bin").c_str(), 0644);
}

// Guards against the Windows build following a link (Wine shows a Linux symbolic link as a
// reparse point, as Windows shows a junction): not into the archive, not on the way down a restore.
TEST_F(WindowsBuild, NeverFollowsALink) {
  const TempFolder sandbox;
  const std::string outside = sandbox.path() + "fuori";
  WriteFile(outside + "/segreto.txt", "resta fuori");
  WriteFile(sandbox.path() + "dati/proprio.txt", "entra");
  std::filesystem::create_directory_symlink(outside, sandbox.path() + "dati/verso fuori");
  const std::string archive = sandbox.path() + "windows.zip";
  const ProcessResult backup =
      RunUnderWine({"-min", "-a", "-r", "-p", WinePath(archive), WinePath(sandbox.path() + "dati") + "\\*.*"});
  EXPECT_EQ(backup.exit_code, 0) << backup.output;
  EXPECT_NE(backup.output.find("verso fuori: è un collegamento o una giunzione, che non seguo"), std::string::npos)
      << backup.output;
  for (const std::string& name : EntryNames(archive)) EXPECT_EQ(name.find("segreto"), std::string::npos) << name;

  const std::string target = sandbox.path() + "destinazione";
  std::filesystem::create_directories(target);
  std::filesystem::create_directory_symlink(outside, target + "/collegata");
  WriteHandMadeArchive(sandbox.path() + "ostile.zip", {{"collegata/dentro.txt", "attraverso", 0100644},
                                                      {"collegata/sotto/", "", 040755},
                                                      {"accanto.txt", "resta", 0100644}});
  const ProcessResult restore = RunUnderWine({"-min", "-e", "-o", WinePath(sandbox.path() + "ostile.zip"), WinePath(target)});
  EXPECT_EQ(restore.exit_code, 1) << restore.output;
  EXPECT_NE(restore.output.find("rifiuto di scrivere attraverso il collegamento o la giunzione " + WinePath(target) +
                                "\\collegata"),
            std::string::npos)
      << restore.output;
  EXPECT_EQ(ListTree(outside), std::vector<std::string>{"segreto.txt"});
  EXPECT_EQ(ReadFile(target + "/accanto.txt"), "resta");
}

}  // namespace
