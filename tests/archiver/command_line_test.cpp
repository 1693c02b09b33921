#include "archiver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "archiver/progress_report.h"

namespace {

using archiver::Command;
using archiver::ParseCommandLine;

TEST(CommandLine, ReadsTheBackupAndRestoreLinesTheProgramIsDrivenWith) {
  const auto backup = ParseCommandLine({"-min", "-a", "-r", "-p", "/dati/01020304.ZIP", "/home/anna/Documenti/*.*"});
  ASSERT_TRUE(backup);
  EXPECT_EQ(backup->kind, Command::Kind::kBackup);
  EXPECT_EQ(backup->archive, "/dati/01020304.ZIP");
  EXPECT_EQ(backup->folder, "/home/anna/Documenti");
  const auto restore = ParseCommandLine({"-min", "-e", "-o", "/dati/01020304.ZIP", "/"});
  ASSERT_TRUE(restore);
  EXPECT_EQ(restore->kind, Command::Kind::kRestore);
  EXPECT_EQ(restore->archive, "/dati/01020304.ZIP");
  EXPECT_EQ(restore->folder, "/");
  // "-min" may be left out and options come in any order.
  EXPECT_EQ(ParseCommandLine({"-p", "-r", "-a", "a.zip", "cartella con spazi/*.*"})->folder, "cartella con spazi");
  EXPECT_EQ(ParseCommandLine({"-a", "-r", "-p", "a.zip", "/*.*"})->folder, "/");
  EXPECT_TRUE(ParseCommandLine({"-o", "-min", "-e", "a.zip", "/tmp/x"}));
}

TEST(CommandLine, RefusesEverythingElse) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"-min"},
      {"-min", "-a", "-r", "-p", "a.zip"},                // no folder
      {"-min", "-a", "-r", "-p", "a.zip", "/home/anna"},  // no "*.*"
      {"-min", "-a", "-r", "-p", "a.zip", "/home/anna/*.txt"},
      {"-min", "-a", "-r", "a.zip", "/home/*.*"},              // -p missing
      {"-min", "-a", "-r", "-p", "-e", "a.zip", "/home/*.*"},  // both at once
      {"-min", "-e", "-o", "-x", "a.zip", "/tmp"},
      {"-min", "-e", "-e", "-o", "a.zip", "/tmp"},
      {"-min", "-e", "-o", "a.zip", "/tmp", "extra"},
      {"-min", "-e", "-o", "", "/tmp"},
  };
  for (const auto& arguments : bad) EXPECT_FALSE(ParseCommandLine(arguments)) << testing::PrintToString(arguments);
}

// A file that grew must not take the figures past their totals; a rewrite starts from nothing.
TEST(ProgressReport, TellsTheTotalsFirstNeverPassesThemAndEndsWithTheLastFigures) {
  std::ostringstream out;
  archiver::ProgressReport progress(&out, 2, 10);
  EXPECT_EQ(out.str(), "avanzamento 0 2 0 10\n");
  for (int i = 0; i < 3; ++i) {
    progress.AddBytes(7);
    progress.AddFile();
  }
  progress.Finish();
  EXPECT_TRUE(out.str().ends_with("\navanzamento 2 2 10 10\n")) << out.str();
  progress.Restart();
  EXPECT_TRUE(out.str().ends_with("\navanzamento 0 2 0 10\n")) << out.str();
}

}  // namespace
