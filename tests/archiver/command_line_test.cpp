#include "archiver/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "archiver/entry_name.h"
#include "archiver/progress_report.h"

namespace {

const bool kWindows = archiver::kSystemNameRules == archiver::NameRules::kWindows;

// "backup" or "restore", the archive and the folder; "" when refused.
std::string Parsed(const std::vector<std::string>& arguments) {
  const auto command = archiver::ParseCommandLine(arguments);
  if (!command) return "";
  const std::string kind = command->kind == archiver::Command::Kind::kBackup ? "backup " : "restore ";
  return kind + command->archive + " | " + command->folder;
}

TEST(CommandLine, ReadsTheTwoLinesTheProgramIsDrivenWithAndRefusesEverythingElse) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"-min", "-a", "-r", "-p", "/dati/01020304.ZIP", "/home/anna/Documenti/*.*"},
       "backup /dati/01020304.ZIP | /home/anna/Documenti"},
      {{"-min", "-e", "-o", "/dati/01020304.ZIP", "/"}, "restore /dati/01020304.ZIP | /"},
      // "-min" may be left out and options come in any order.
      {{"-p", "-r", "-a", "a.zip", "cartella con spazi/*.*"}, "backup a.zip | cartella con spazi"},
      {{"-a", "-r", "-p", "a.zip", "/*.*"}, "backup a.zip | /"},
      {{"-o", "-min", "-e", "a.zip", "/tmp/x"}, "restore a.zip | /tmp/x"},
      {{"-a", "-r", "-p", "a.zip", "c\\*.*"}, kWindows ? "backup a.zip | c" : ""},  // "\\" separates on Windows only
      {{"-a", "-r", "-p", "a.zip", "C:\\*.*"}, kWindows ? "backup a.zip | C:\\" : ""},  // the root, not C:'s current folder
      {{}, ""},
      {{"-min", "-a", "-r", "-p", "a.zip"}, ""},                // no folder
      {{"-min", "-a", "-r", "-p", "a.zip", "/home/anna"}, ""},  // no "*.*"
      {{"-min", "-a", "-r", "-p", "a.zip", "/home/anna/*.txt"}, ""},
      {{"-min", "-a", "-r", "a.zip", "/home/*.*"}, ""},              // -p missing
      {{"-min", "-a", "-r", "-p", "-e", "a.zip", "/home/*.*"}, ""},  // both at once
      {{"-min", "-e", "-o", "-x", "a.zip", "/tmp"}, ""},
      {{"-min", "-e", "-e", "-o", "a.zip", "/tmp"}, ""},
      {{"-min", "-e", "-o", "a.zip", "/tmp", "extra"}, ""},
      {{"-min", "-e", "-o", "", "/tmp"}, ""},
  };
  for (const auto& [arguments, parsed] : rows)
    EXPECT_EQ(Parsed(arguments), parsed) << testing::PrintToString(arguments);
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
