#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/process.h"
#include "platform/windows/wide.h"

namespace {

// The toolkit empties the clipboard as a program ends: a "Copy" in the explorer could not be
// pasted anywhere once the program had closed.
TEST(Clipboard, TextStaysAfterTheProgramThatPutItThereHasEnded) {
  const std::string marker = "cartoscope;C:\\Dati;" + std::to_string(::GetCurrentProcessId()) + ".txt;copy";
  platform::process::Child owner = platform::process::Child::Spawn({FALDONE_CLIPBOARD_OWNER, marker});
  ASSERT_TRUE(owner);
  std::optional<int> exit_code;
  for (int i = 0; i < 600 && !(exit_code = owner.PollExit()); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_EQ(exit_code, 0);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
  const std::string pasted = text ? platform::windows::Narrow(text) : "";
  if (text) ::GlobalUnlock(data);
  ::CloseClipboard();
  EXPECT_EQ(pasted, marker);
}

}  // namespace
