#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/wide.h"

namespace {

// The toolkit empties the clipboard as a program ends: a "Copy" in the explorer could not be
// pasted anywhere once the program had closed.
TEST(Clipboard, TextStaysAfterTheProgramThatPutItThereHasEnded) {
  const std::string marker = "cartoscope;C:\\Dati;" + std::to_string(::GetCurrentProcessId()) + ".txt;copy";
  std::wstring command = L"\"" FALDONE_CLIPBOARD_OWNER L"\" " + platform::windows::Widen(marker);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
  ::CloseHandle(process.hThread);
  DWORD exit_code = 1;
  ASSERT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  ::GetExitCodeProcess(process.hProcess, &exit_code);
  ::CloseHandle(process.hProcess);
  ASSERT_EQ(exit_code, 0u);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
  const std::string pasted = text ? platform::windows::Narrow(text) : "";
  if (text) ::GlobalUnlock(data);
  ::CloseClipboard();
  EXPECT_EQ(pasted, marker);
}

}  // namespace
