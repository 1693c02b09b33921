#include "runner/process_runner.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "runner/archiver_commands.h"
#include "runner/child_program.h"
#include "support/temp_folder.h"

namespace {

using runner::AVVIA_PROCESSO;
using runner::PROCESSO_ATTIVO;
using runner::ProcessHandle;
using testing_support::WaitForExit;
using testing_support::ChildCommand;
using testing_support::TempFolder;
using Words = std::vector<std::string>;

// What the test program wrote into file: the arguments it received, each ended by NUL.
Words Recorded(const TempFolder& folder, const std::string& file) {
  Words words;
  const std::string bytes = folder.Read(file);
  for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
    words.push_back(bytes.substr(start, end - start));
  return words;
}

TEST(ProcessRunner, AMissingProgramGivesNoHandleAndNothingToWaitFor) {
  TempFolder folder;
  ProcessHandle handle = AVVIA_PROCESSO(folder.path() + "manca" + platform::paths::kProgramSuffix + " -min -a", "");
  EXPECT_FALSE(handle);
  int exit_code = 42;
  EXPECT_FALSE(PROCESSO_ATTIVO(handle, exit_code));
  EXPECT_FALSE(handle);
  EXPECT_EQ(exit_code, 42);  // nothing ended, so nothing was reported
  EXPECT_FALSE(AVVIA_PROCESSO("", ""));
  folder.Write(std::string("testo") + platform::paths::kProgramSuffix, "non sono un programma\n");
  EXPECT_FALSE(AVVIA_PROCESSO(folder.path() + "testo" + platform::paths::kProgramSuffix, ""));
}

TEST(ProcessRunner, TheExitCodeIsKeptAndTheHandleIsReleased) {
  TempFolder folder;
  ProcessHandle handle = AVVIA_PROCESSO(ChildCommand() + " wait-for \"" + folder.path() + "go\" exit 3", "");
  ASSERT_TRUE(handle);
  int exit_code = -1;
  EXPECT_TRUE(PROCESSO_ATTIVO(handle, exit_code));  // still waiting for "go"
  folder.Write("go", "");
  EXPECT_EQ(WaitForExit(handle), 3);
  EXPECT_FALSE(handle);
  exit_code = 42;
  EXPECT_FALSE(PROCESSO_ATTIVO(handle, exit_code));  // a further poll
  EXPECT_EQ(exit_code, 42);
}

// The archiver once got "C:\TMP\" as C:\TMP" and the rest of the line: Windows programs read a
// backslash before a quote as an escape. Nor may a shell ever read the line.
TEST(ProcessRunner, EveryArgumentArrivesExactlyAsTheCommandLineWroteIt) {
  TempFolder folder;
  const std::string archive = folder.path() + "0503_1_1.ZIP";
  for (const std::string target : {"C:\\TMP\\", "\\\\server\\dati\\", "/tmp/", "C:\\Foto di città\\"}) {
    const auto line = runner::RestoreCommandLine(FALDONE_TEST_CHILD, archive, target);
    ASSERT_TRUE(line);
    ProcessHandle handle = AVVIA_PROCESSO(*line, "");
    ASSERT_EQ(WaitForExit(handle), 0) << *line;
    EXPECT_EQ(Recorded(folder, "0503_1_1.ZIP"), (Words{"-min", "-e", "-o", archive, target})) << *line;
  }
  const auto backup = runner::BackupCommandLine(FALDONE_TEST_CHILD, archive, "C:\\$(echo x); y & del * %PATH% `z`\\");
  ProcessHandle handle = AVVIA_PROCESSO(*backup, "");
  ASSERT_EQ(WaitForExit(handle), 0);
  EXPECT_EQ(Recorded(folder, "0503_1_1.ZIP"),
            (Words{"-min", "-a", "-r", "-p", archive, "C:\\$(echo x); y & del * %PATH% `z`\\*.*"}));

  // A blank argument adds nothing; another goes in quotes as one word.
  const std::string record = ChildCommand() + " record \"" + folder.path() + "args\"";
  for (const auto& [argument, words] : {std::pair<std::string, Words>{"   ", {}}, {"", {}},
                                        {"one word with blanks", {"one word with blanks"}}}) {
    handle = AVVIA_PROCESSO(record, argument);
    ASSERT_EQ(WaitForExit(handle), 0);
    EXPECT_EQ(Recorded(folder, "args"), words) << "[" << argument << "]";
  }
}

// The child itself, given its arguments one by one: quotes and backslashes in any order, as
// Windows' own reading of a command line meets them.
TEST(ProcessRunner, ArgumentsWithQuotesBackslashesAndAccentsReachTheChildWhole) {
  TempFolder folder;
  const Words arguments = {"", "a b", "\t", "dice \"ciao\"", "\"", "\\\"", "a\\\\\"b", "fine\\", "fine\\\\",
                           "C:\\TMP\\", "\\\\server\\dati\\", "perché è così", "漢字 😀", "a\\b c\\d"};
  Words argv = {FALDONE_TEST_CHILD, "record", folder.path() + "args"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  ProcessHandle handle = platform::process::Child::Spawn(argv);
  ASSERT_EQ(WaitForExit(handle), 0);
  EXPECT_EQ(Recorded(folder, "args"), arguments);
}

// A window closed while the archiver works leaves nobody to read its progress: the archiver
// must still finish its archive (on Linux a write to the pipe would otherwise end it).
TEST(ProcessRunner, TheArchiverOutlivesTheReaderOfItsProgress) {
  using platform::paths::kSeparator;
  TempFolder folder;
  folder.Write("cartella/a.txt", "x");
  const std::string archiver = std::string(FALDONE_PROGRAM_DIR) + kSeparator + "archivia" FALDONE_EXE_SUFFIX;
  const auto line = runner::BackupCommandLine(archiver, folder.path() + "0101_1_1.ZIP",
                                              folder.path() + "cartella" + kSeparator);
  ProcessHandle handle;
  {
    platform::process::OutputPipe progress;
    handle = AVVIA_PROCESSO(*line, "", nullptr, &progress);
  }
  EXPECT_EQ(WaitForExit(handle), 0);
  EXPECT_TRUE(folder.Exists("0101_1_1.ZIP"));
}

TEST(ProcessRunner, TheChildDoesNotWaitOnInput) {
  ProcessHandle handle = AVVIA_PROCESSO(ChildCommand() + " read-input exit 5", "");  // would wait on a terminal
  EXPECT_EQ(WaitForExit(handle), 5);
}

}  // namespace
