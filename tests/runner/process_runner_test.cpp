#include "runner/process_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "support/temp_folder.h"

namespace {

using runner::AVVIA_PROCESSO;
using runner::PROCESSO_ATTIVO;
using runner::ProcessHandle;

// Polls as a window would, with a pause, and gives the exit code; -100 if it never ends.
int WaitForExit(ProcessHandle& handle) {
  int exit_code = -100;
  for (int i = 0; i < 1000 && PROCESSO_ATTIVO(handle, exit_code); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return exit_code;
}

TEST(ProcessRunner, AMissingProgramGivesNoHandleAndNothingToWaitFor) {
  ProcessHandle handle = AVVIA_PROCESSO("/no/such/folder/archivia -min -a", "");
  EXPECT_EQ(handle, 0);
  int exit_code = 42;
  EXPECT_FALSE(PROCESSO_ATTIVO(handle, exit_code));
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(exit_code, 42);  // nothing ended, so nothing was reported
  EXPECT_EQ(AVVIA_PROCESSO("", ""), 0);
  EXPECT_EQ(AVVIA_PROCESSO("/etc/hostname", ""), 0);  // not a program
}

TEST(ProcessRunner, TheExitCodeIsKeptAndTheHandleGoesBackToZero) {
  ProcessHandle handle = AVVIA_PROCESSO("/bin/sh -c \"sleep 0.1; exit 3\"", "");
  ASSERT_NE(handle, 0);
  int exit_code = -1;
  EXPECT_TRUE(PROCESSO_ATTIVO(handle, exit_code));  // still sleeping
  EXPECT_EQ(WaitForExit(handle), 3);
  EXPECT_EQ(handle, 0);
  exit_code = 42;
  EXPECT_FALSE(PROCESSO_ATTIVO(handle, exit_code));  // a further poll
  EXPECT_EQ(exit_code, 42);

  handle = AVVIA_PROCESSO("/bin/sh -c \"kill -9 $$\"", "");
  EXPECT_EQ(WaitForExit(handle), 128 + 9);

  // A signal this program ignores is not ignored by the archiver.
  const auto previous = std::signal(SIGTERM, SIG_IGN);
  handle = AVVIA_PROCESSO("/bin/sh -c \"kill -TERM $$; exit 0\"", "");
  std::signal(SIGTERM, previous);
  EXPECT_EQ(WaitForExit(handle), 128 + SIGTERM);
}

TEST(ProcessRunner, ABlankArgumentAddsNothingAndAnotherGoesInQuotesAsOneWord) {
  // The script ends with the number of words after its own name.
  const std::pair<const char*, int> cases[] = {{"   ", 0}, {"", 0}, {"one word with blanks", 1}};
  for (const auto& [argument, words] : cases) {
    ProcessHandle handle = AVVIA_PROCESSO("/bin/sh -c \"exit $#\" script", argument);
    EXPECT_EQ(WaitForExit(handle), words) << "[" << argument << "]";
  }
}

TEST(ProcessRunner, NoShellReadsTheCommandLine) {
  testing_support::TempFolder folder;
  ProcessHandle handle = AVVIA_PROCESSO("/usr/bin/touch \"" + folder.path() + "$(echo x); y\"", "");
  EXPECT_EQ(WaitForExit(handle), 0);
  EXPECT_EQ(folder.Listing(), "$(echo x); y");
}

TEST(ProcessRunner, TheChildNeitherWaitsOnInputNorInheritsOurFiles) {
  ProcessHandle handle = AVVIA_PROCESSO("/bin/cat", "");  // would wait forever on a terminal
  EXPECT_EQ(WaitForExit(handle), 0);

  const int fd = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(fd, 3);
  handle = AVVIA_PROCESSO("/bin/sh -c \"test -e /proc/self/fd/" + std::to_string(fd) + "\"", "");
  EXPECT_EQ(WaitForExit(handle), 1);
  ::close(fd);
}

}  // namespace
