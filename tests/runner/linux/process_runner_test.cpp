#include "runner/process_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "runner/child_program.h"

namespace {

using runner::AVVIA_PROCESSO;
using runner::PROCESSO_ATTIVO;
using runner::ProcessHandle;
using testing_support::WaitForExit;

TEST(ProcessRunner, ASignalEndsTheChildWithItsNumberEvenOneWeIgnore) {
  ProcessHandle handle = AVVIA_PROCESSO("/bin/sh -c \"kill -9 $$\"", "");
  EXPECT_EQ(WaitForExit(handle), 128 + 9);

  // A signal this program ignores is not ignored by the archiver.
  const auto previous = std::signal(SIGTERM, SIG_IGN);
  handle = AVVIA_PROCESSO("/bin/sh -c \"kill -TERM $$; exit 0\"", "");
  std::signal(SIGTERM, previous);
  EXPECT_EQ(WaitForExit(handle), 128 + SIGTERM);
}

TEST(ProcessRunner, TheChildInheritsNoneOfOurFiles) {
  const int fd = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(fd, 3);
  ProcessHandle handle =
      AVVIA_PROCESSO(testing_support::ChildCommand() + " exit-if-open 1 " + std::to_string(fd), "");
  EXPECT_EQ(WaitForExit(handle), 0);
  ::close(fd);
}

}  // namespace
