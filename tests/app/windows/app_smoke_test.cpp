// Starts the built program itself and checks that its main window appears with its caption.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "support/poll_until.h"
#include "support/temp_folder.h"

namespace {

const std::wstring kCaption =
    L"Gestione personalizzata salvataggi archivi e documenti - PAG.1  -  Vers. 01.01 - 14/06/03";

struct Found {
  DWORD process;
  bool main_window = false;
  std::wstring captions;  // of the process's visible top-level windows, for the failure's report
};

BOOL CALLBACK NoteCaption(HWND window, LPARAM data) {
  auto& found = *reinterpret_cast<Found*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != found.process || !::IsWindowVisible(window)) return TRUE;
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  // Read back as UTF-16 from the system: the caption as the program wrote it.
  if (text == kCaption) found.main_window = true;
  found.captions += std::wstring(text) + L"|";
  return TRUE;
}

TEST(ProgramSmoke, MainWindowAppearsWithItsCaption) {
  // A copy in an empty folder: that folder is its data folder, so nothing of the build is touched.
  testing_support::TempFolder folder;
  const std::filesystem::path program = std::filesystem::path(folder.path()) / "faldone.exe";
  std::filesystem::copy_file(FALDONE_PROGRAM_DIR "\\faldone.exe", program);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring command_line = L"\"" + program.wstring() + L"\"";
  ASSERT_TRUE(::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));

  Found found{process.dwProcessId, false, {}};
  bool ended = false;
  testing_support::PollUntil([&] {
    found.captions.clear();
    ::EnumWindows(NoteCaption, reinterpret_cast<LPARAM>(&found));
    ended = ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    return found.main_window || ended;
  }, std::chrono::seconds(60), std::chrono::milliseconds(200));
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);

  EXPECT_FALSE(ended) << "the program ended early";
  EXPECT_TRUE(found.main_window) << "windows seen: " << std::filesystem::path(found.captions).string();
  // In an empty folder the program says it found no profile; it never writes one by itself.
  EXPECT_EQ(folder.Listing(), "faldone.exe");
}

}  // namespace
