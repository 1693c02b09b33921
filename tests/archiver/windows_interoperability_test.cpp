// Archives the Windows build of archivia writes and reads, run under Wine when built.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "archive_fixture.h"

namespace {

using namespace archiver_test;
using archiver::ExitCode;

// The Windows test build's program, unless scripts/test.sh names another.
std::string WindowsArchivia() {
  const char* given = std::getenv("FALDONE_WINDOWS_ARCHIVIA");
  return given ? given : FALDONE_SOURCE_DIR "/build-windows-test/programma/archivia.exe";
}

// Wine's drive Z: is "/".
std::string WinePath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

ProcessResult RunUnderWine(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"bash", FALDONE_SOURCE_DIR "/scripts/windows/wine-run.sh", WindowsArchivia()});
  return RunProgram(arguments);
}

class WindowsBuild : public Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    if (!std::filesystem::exists(WindowsArchivia()) || !std::filesystem::exists("/usr/lib/wine/wine64"))
      GTEST_SKIP() << "no Windows build at " << WindowsArchivia() << " or no Wine to run it";
  }
};

// Fault guarded: the Windows build's archives restored here without times or modes.
TEST_F(WindowsBuild, TheLinuxBuildRestoresTheWindowsBuildsArchives) {
  WriteFile(source_ + "/documenti/lettera.txt", "Cara Anna,\nti scrivo da Forlì.\n");
  WriteFile(source_ + "/perché.txt", CompressibleText(300'000, 7));
  WriteFile(source_ + "/sola lettura.bin", RandomBytes(70'000, 3));
  std::filesystem::create_directories(source_ + "/vuota");
  SetMtime(source_ + "/documenti/lettera.txt", 1'700'000'000);
  SetMtime(source_ + "/sola lettura.bin", 1'600'000'000);
  SetMtime(source_ + "/vuota", 1'400'000'000);
  SetMtime(source_ + "/documenti", 1'300'000'000);
  ::chmod((source_ + "/sola lettura.bin").c_str(), 0444);
  const ProcessResult windows_backup =
      RunUnderWine({"-min", "-a", "-r", "-p", WinePath(archive_), WinePath(source_) + "\\*.*"});
  ASSERT_EQ(windows_backup.exit_code, 0) << windows_backup.output;
  ASSERT_EQ(Restore(archive_, target_).code, ExitCode::kDone);
  ExpectSameTree(source_, target_ + source_);
  if (ToolExists("unzip")) { EXPECT_EQ(RunProgram({"unzip", "-tq", archive_}).exit_code, 0); }
}

// Fault guarded: the Windows build followed a link (Wine shows it as a junction) in either run.
TEST_F(WindowsBuild, NeverFollowsALink) {
  const std::string elsewhere = root_ + "altrove";
  WriteFile(elsewhere + "/segreto.txt", "resta fuori");
  WriteFile(source_ + "/proprio.txt", "entra");
  std::filesystem::create_directory_symlink(elsewhere, source_ + "/verso fuori");
  const ProcessResult backup = RunUnderWine({"-min", "-a", "-r", "-p", WinePath(archive_), WinePath(source_) + "\\*.*"});
  EXPECT_EQ(backup.exit_code, 0) << backup.output;
  EXPECT_THAT(backup.output, HasSubstr("verso fuori: è un collegamento o una giunzione, che non seguo"));
  EXPECT_THAT(EntryNames(archive_), testing::Each(testing::Not(HasSubstr("segreto"))));

  std::filesystem::create_directories(target_);
  std::filesystem::create_directory_symlink(outside_, target_ + "/collegata");
  WriteHandMadeArchive(archive_, {{"collegata/dentro.txt", "attraverso", 0100644},
                                  {"collegata/sotto/", "", 040755},
                                  {"accanto.txt", "resta", 0100644}});
  const ProcessResult restore = RunUnderWine({"-min", "-e", "-o", WinePath(archive_), WinePath(target_)});
  EXPECT_EQ(restore.exit_code, 1) << restore.output;
  EXPECT_THAT(restore.output,
              HasSubstr("rifiuto di scrivere attraverso il collegamento o la giunzione " + WinePath(target_) + "\\collegata"));
  EXPECT_EQ(ReadFile(target_ + "/accanto.txt"), "resta");
}

}  // namespace
