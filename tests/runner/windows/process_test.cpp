#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"
#include "runner/child_program.h"
#include "runner/process_runner.h"
#include "support/temp_folder.h"

namespace {

using platform::windows::UniqueHandle;
using runner::AVVIA_PROCESSO;
using runner::PROCESSO_ATTIVO;
using runner::ProcessHandle;
using testing_support::WaitForExit;

// With handle inheritance on, every inheritable handle of the program went to the archiver,
// which then kept files of ours open (and undeletable) for as long as it ran.
TEST(WindowsProcess, TheChildGetsOnlyItsStandardHandles) {
  testing_support::TempFolder folder;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  const UniqueHandle ours(::CreateFileW(platform::windows::Widen(folder.path() + "eredita.txt").c_str(),
                                        GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(ours.valid());
  const std::string value = std::to_string(reinterpret_cast<std::intptr_t>(ours.get()));
  ProcessHandle handle = AVVIA_PROCESSO(testing_support::ChildCommand() + " exit-if-open 1 " + value, "");
  EXPECT_EQ(WaitForExit(handle), 0);
}

// The archiver's exit codes come through whole, beyond the 8 bits a Linux status holds.
TEST(WindowsProcess, ExitCodesArriveWhole) {
  ProcessHandle handle = AVVIA_PROCESSO(testing_support::ChildCommand() + " exit 1000", "");
  EXPECT_EQ(WaitForExit(handle), 1000);
}

}  // namespace

