#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"
#include "runner/runner_test_support.h"
#include "support/fake_archiver.h"
#include "support/temp_folder.h"

namespace {

// With handle inheritance on, the archiver kept files of ours open (and undeletable) while it ran.
TEST(WindowsProcess, TheChildGetsOnlyItsStandardHandles) {
  testing_support::TempFolder folder;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const platform::windows::UniqueHandle ours(
      ::CreateFileW(platform::windows::Widen(folder.path() + "eredita.txt").c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ, &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(ours.valid());
  const std::string value = std::to_string(reinterpret_cast<std::intptr_t>(ours.get()));
  runner::ProcessHandle handle = runner::AVVIA_PROCESSO(testing_support::FakeArchiverSteps("exit-if-open " + value + " 1"), "");
  EXPECT_EQ(testing_support::ExitCode(handle), 0);
}

}  // namespace
