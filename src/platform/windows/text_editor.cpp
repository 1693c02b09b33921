#include "platform/text_editor.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace platform {

bool OpenInTextEditor(const std::string& path) {
  // Named by its full path in the system folder: a bare name would be looked for in the
  // current folder first.
  wchar_t system_folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(system_folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::wstring program = std::wstring(system_folder, length) + L"\\notepad.exe";
  // One quoted argument; a file's path holds no quote and does not end in a backslash.
  std::wstring command = L"\"" + program + L"\" \"" + windows::Widen(path) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
    return false;
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

}  // namespace platform
