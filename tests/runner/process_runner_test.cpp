#include "runner/process_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "platform/paths.h"
#include "runner/archiver_commands.h"
#include "runner/runner_test_support.h"
#include "support/fake_archiver.h"
#include "support/temp_folder.h"

namespace {

using platform::paths::kProgramSuffix;
using runner::AVVIA_PROCESSO;
using runner::PROCESSO_ATTIVO;
using runner::ProcessHandle;
using testing_support::ExitCode;
using testing_support::FakeArchiverSteps;
using testing_support::TempFolder;

TEST(ProcessRunner, TheExitCodeIsKeptTheHandleReleasedAndWhatCannotStartGivesNoHandle) {
  TempFolder folder;
  ProcessHandle handle = AVVIA_PROCESSO(FakeArchiverSteps("wait-for \"" + folder.path() + "go\" exit 3"), "");
  ASSERT_TRUE(handle);
  int exit_code = 42;
  EXPECT_TRUE(PROCESSO_ATTIVO(handle, exit_code));  // still waiting for "go"
  folder.Write("go", "");
  EXPECT_EQ(ExitCode(handle), 3);
  EXPECT_FALSE(handle);
  EXPECT_FALSE(PROCESSO_ATTIVO(handle, exit_code));
  EXPECT_EQ(exit_code, 42);  // nothing ended since, so nothing was reported
  folder.Write("testo" + std::string(kProgramSuffix), "non sono un programma\n");
  for (const std::string& command_line :
       {folder.path() + "manca" + kProgramSuffix + " -min -a", std::string(), folder.path() + "testo" + kProgramSuffix})
    EXPECT_FALSE(AVVIA_PROCESSO(command_line, "")) << command_line;
}

// A child waiting on a terminal's input; a code cut to 8 bits, or a signal we ignore not reported.
TEST(ProcessRunner, TheExitCodeComesThroughAsTheChildEnded) {
  const std::pair<std::string, int> rows[] = {{FakeArchiverSteps("read-input exit 5"), 5},
#ifdef _WIN32
                                              {FakeArchiverSteps("exit 1000"), 1000}};
#else
                                              {"/bin/sh -c \"kill -TERM $$; exit 0\"", 128 + 15}};
#endif
  for (const auto& [command_line, exit_code] : rows) {
    const auto previous = std::signal(SIGTERM, SIG_IGN);  // ignored by us, never by the child
    ProcessHandle handle = AVVIA_PROCESSO(command_line, "");
    std::signal(SIGTERM, previous);
    EXPECT_EQ(ExitCode(handle), exit_code) << command_line;
  }
}

// Files of ours left open in the child (and undeletable on Windows) while it ran.
TEST(ProcessRunner, TheChildInheritsNoneOfOurFiles) {
#ifdef _WIN32
  TempFolder folder;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const platform::windows::UniqueHandle ours(
      ::CreateFileW(platform::windows::Widen(folder.path() + "eredita.txt").c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ, &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(ours.valid());
  const std::string ours_open = std::to_string(reinterpret_cast<std::intptr_t>(ours.get()));
#else
  const int fd = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(fd, 3);
  const std::string ours_open = std::to_string(fd);
#endif
  ProcessHandle handle = AVVIA_PROCESSO(FakeArchiverSteps("exit-if-open " + ours_open + " 1"), "");
  EXPECT_EQ(ExitCode(handle), 0);
#ifndef _WIN32
  ::close(fd);
#endif
}

// The archiver once got "C:\TMP\" as C:\TMP" and the rest of the line; nor may a shell read it.
TEST(ProcessRunner, EveryArgumentArrivesExactlyAsTheCommandLineWroteIt) {
  const testing_support::FakeArchiver archiver;
  const auto recorded = [&archiver](const std::string& command_line, const std::string& argument) {
    ProcessHandle handle = AVVIA_PROCESSO(command_line, argument);
    EXPECT_EQ(ExitCode(handle), 0) << command_line;
    const std::vector<std::string> runs = archiver.Runs();
    return runs.empty() ? "" : runs.back();
  };
  const std::string archive = "C:\\FALDONE\\0503_1_1.ZIP";
  for (const std::string target : {"C:\\TMP\\", "\\\\server\\dati\\", "/tmp/", "C:\\Foto di città\\"})
    EXPECT_EQ(recorded(*runner::RestoreCommandLine(archiver.path(), archive, target), ""),
              "-min|-e|-o|" + archive + "|" + target + "|");
  const std::string odd = "C:\\$(echo x); y & del * %PATH% `z`\\";
  EXPECT_EQ(recorded(*runner::BackupCommandLine(archiver.path(), archive, odd), ""),
            "-min|-a|-r|-p|" + archive + "|" + odd + "*.*|");
  // A blank argument adds nothing; another goes in quotes as one word.
  const std::string program = "\"" + archiver.path() + "\" -min";
  EXPECT_EQ(recorded(program, "   "), "-min|");
  EXPECT_EQ(recorded(program, ""), "-min|");
  EXPECT_EQ(recorded(program, "one word with blanks"), "-min|one word with blanks|");

  // Given one by one: quotes and backslashes in any order, as Windows' reading meets them.
  const std::vector<std::string> argv = {archiver.path(), "-min", "", "a b", "\t", "dice \"ciao\"", "\"",
                                         "\\\"", "a\\\\\"b", "fine\\", "fine\\\\", "C:\\TMP\\", "\\\\server\\dati\\",
                                         "perché è così", "漢字 😀", "a\\b c\\d"};
  ProcessHandle handle = platform::process::Child::Spawn(argv);
  ASSERT_EQ(ExitCode(handle), 0);
  EXPECT_EQ(archiver.Runs().back(),
            "-min||a b|\t|dice \"ciao\"|\"|\\\"|a\\\\\"b|fine\\|fine\\\\|C:\\TMP\\|\\\\server\\dati\\|perché è così|漢字 😀|a\\b c\\d|");
}

// With nobody left to read its progress the archiver must still finish its archive.
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
  EXPECT_EQ(ExitCode(handle), 0);
  EXPECT_TRUE(folder.Exists("0101_1_1.ZIP"));
}

}  // namespace
