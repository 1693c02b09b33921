#include "platform/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/wide.h"

namespace {

// The child's EmptyClipboard asks us, the owner until then, to let go: our messages must flow.
bool EndsWithinAMinute(HANDLE process) {
  const ULONGLONG deadline = ::GetTickCount64() + 60000;
  for (ULONGLONG now; (now = ::GetTickCount64()) < deadline;) {
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken != WAIT_OBJECT_0 + 1) return false;
    for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&message);
  }
  return false;
}

// The toolkit emptied its clipboard at the end: nothing copied in the explorer could be pasted.
TEST(Clipboard, TextStaysAfterTheProgramThatPutItThereHasEnded) {
  const std::string marker = "cartoscope;C:\\Dati;lettera-" + std::to_string(::GetCurrentProcessId()) + "è.txt;copy";
  ASSERT_TRUE(platform::clipboard::SetText("prima"));
  std::wstring command = L"\"" + platform::windows::Widen(FALDONE_CLIPBOARD_OWNER) + L"\" " +
                         platform::windows::Widen(marker);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
  ::CloseHandle(process.hThread);
  ASSERT_TRUE(EndsWithinAMinute(process.hProcess)) << "the program never ended";
  DWORD exit_code = 1;
  ::GetExitCodeProcess(process.hProcess, &exit_code);
  ::CloseHandle(process.hProcess);
  ASSERT_EQ(exit_code, 0u);
  EXPECT_EQ(platform::clipboard::Text(), marker);
}

}  // namespace
