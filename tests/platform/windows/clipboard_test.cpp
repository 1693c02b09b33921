#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/wide.h"

namespace {

// The toolkit empties the clipboard as a program ends: a "Copy" in the explorer could not be
// pasted anywhere once the program had closed.
TEST(Clipboard, TextStaysAfterTheProgramThatPutItThereHasEnded) {
  const std::string marker =
      "cartoscope;C:\\Dati;lettera-" + std::to_string(::GetCurrentProcessId()) + ".txt;copy";
  std::wstring command = L"\"" + platform::windows::Widen(FALDONE_CLIPBOARD_OWNER) + L"\" " +
                         platform::windows::Widen(marker);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
  ::CloseHandle(process.hThread);
  ASSERT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exit_code = 1;
  ::GetExitCodeProcess(process.hProcess, &exit_code);
  ::CloseHandle(process.hProcess);
  ASSERT_EQ(exit_code, 0u);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  std::wstring text;
  if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(::GlobalLock(data))) text = locked;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  EXPECT_EQ(platform::windows::Narrow(text), marker);
}

}  // namespace
