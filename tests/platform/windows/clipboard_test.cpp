#include "platform/clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/wide.h"

namespace {

// The toolkit empties its clipboard as a program ends: a "Copia" in the explorer could not be
// pasted anywhere once the program had closed.
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
  ASSERT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the program never ended";
  DWORD exit_code = 1;
  ::GetExitCodeProcess(process.hProcess, &exit_code);
  ::CloseHandle(process.hProcess);
  ASSERT_EQ(exit_code, 0u);
  EXPECT_EQ(platform::clipboard::Text(), marker);
}

}  // namespace
