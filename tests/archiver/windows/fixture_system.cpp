// The archiver tests' helpers that talk to Windows itself.

#include <windows.h>

#include <stdexcept>

#include "../archive_fixture.h"
#include "archiver/utf8_path.h"

namespace archiver_test {

namespace {

std::wstring Wide(const std::string& utf8) { return archiver::PathFromUtf8(utf8).wstring(); }

// One argument as CommandLineToArgvW reads it back: backslashes are literal except before a quote.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') { ++backslashes; continue; }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L'"';
}

constexpr std::int64_t kTicksTo1970 = 116444736000000000;

}  // namespace

ProcessResult RunProgram(const std::vector<std::string>& argv, bool) {
  wchar_t folder[MAX_PATH + 1], output_path[MAX_PATH + 1];
  ::GetTempPathW(MAX_PATH + 1, folder);
  ::GetTempFileNameW(folder, L"arc", 0, output_path);
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE output = ::CreateFileW(output_path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (output == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the output file");
  std::wstring command_line;
  for (const std::string& argument : argv) command_line += (command_line.empty() ? L"" : L" ") + Quoted(Wide(argument));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
  ::CloseHandle(output);
  int exit_code = -1;
  if (started) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (::GetExitCodeProcess(process.hProcess, &code)) exit_code = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ProcessResult result{exit_code, ReadFile(archiver::Utf8Of(std::filesystem::path(output_path)))};
  ::DeleteFileW(output_path);
  return result;
}

void SetMtime(const std::string& path, std::int64_t seconds) {
  const HANDLE file =
      ::CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  const auto ticks = static_cast<std::uint64_t>(seconds * 10'000'000 + kTicksTo1970);
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  const bool set = file != INVALID_HANDLE_VALUE && ::SetFileTime(file, nullptr, nullptr, &time);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  if (!set) throw std::runtime_error("cannot set the time of " + path);
}

archiver::ModificationTime ExactMtime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return {-1, 0};
  const std::int64_t ticks = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime) - kTicksTo1970;
  return {ticks / 10'000'000, static_cast<std::uint32_t>(ticks % 10'000'000)};
}

std::uint64_t FileIdentity(const std::string& path) {
  const HANDLE file = ::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &info);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return known ? (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

}  // namespace archiver_test
