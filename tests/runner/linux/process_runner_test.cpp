#include "runner/process_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "runner/runner_test_support.h"
#include "support/fake_archiver.h"

namespace {

using runner::AVVIA_PROCESSO;
using runner::ProcessHandle;
using testing_support::ExitCode;

TEST(ProcessRunner, ASignalWeIgnoreIsNotIgnoredByTheChild) {
  const auto previous = std::signal(SIGTERM, SIG_IGN);
  ProcessHandle handle = AVVIA_PROCESSO("/bin/sh -c \"kill -TERM $$; exit 0\"", "");
  std::signal(SIGTERM, previous);
  EXPECT_EQ(ExitCode(handle), 128 + SIGTERM);
}

TEST(ProcessRunner, TheChildInheritsNoneOfOurFiles) {
  const int fd = ::open("/dev/null", O_RDONLY);  // deliberately without close-on-exec
  ASSERT_GE(fd, 3);
  ProcessHandle handle = AVVIA_PROCESSO(testing_support::FakeArchiverSteps("exit-if-open " + std::to_string(fd) + " 1"), "");
  EXPECT_EQ(ExitCode(handle), 0);
  ::close(fd);
}

}  // namespace
