#include "platform/paths.h"

#include <windows.h>

#include "platform/windows/long_path.h"
#include "platform/windows/wide.h"

namespace platform::paths {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "X:\" at the start of path.
bool StartsWithDriveRoot(const std::string& path) {
  return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

// Length of "\\server\share" at the start of path, or 0 when it does not start with one.
std::size_t ShareLength(const std::string& path) {
  if (!path.starts_with("\\\\")) return 0;
  const auto server_end = path.find('\\', 2);
  if (server_end == std::string::npos || server_end == 2) return 0;
  const auto share_end = path.find('\\', server_end + 1);
  const std::size_t end = share_end == std::string::npos ? path.size() : share_end;
  return end > server_end + 1 ? end : 0;
}

}  // namespace

std::string ProgramFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ".\\";
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);  // the name was cut: ask again with more room
  }
  return FolderOf(windows::Narrow(buffer)) + kSeparator;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of(kSeparator);
  if (slash == std::string::npos) return {};
  if (slash == 2 && StartsWithDriveRoot(path)) return path.substr(0, 3);
  return path.substr(0, slash);
}

std::string DriveRoot(const std::string& path) {
  if (StartsWithDriveRoot(path)) return path.substr(0, 3);
  if (const std::size_t share = ShareLength(path)) return path.substr(0, share) + kSeparator;
  return {};
}

bool IsAbsolute(const std::string& path) { return StartsWithDriveRoot(path) || ShareLength(path) > 0; }

bool SamePath(const std::string& a, const std::string& b) {
  // The file system's own folding: ordinal, every letter's case ignored, no locale.
  const std::wstring wide_a = windows::Widen(a);
  const std::wstring wide_b = windows::Widen(b);
  return ::CompareStringOrdinal(wide_a.c_str(), static_cast<int>(wide_a.size()), wide_b.c_str(),
                                static_cast<int>(wide_b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace platform::paths

namespace platform::windows {

std::wstring LongPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  // Already whole, or a device ("\\.\COM1"), which has no long form.
  if (wide.empty() || wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\")) return wide;
  // The whole path's length first, then the path itself; a failure is left to the call
  // that takes the path to report.
  const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring whole(needed, L'\0');
  const DWORD length = needed ? ::GetFullPathNameW(wide.c_str(), needed, whole.data(), nullptr) : 0;
  if (length == 0 || length >= needed) return wide;
  whole.resize(length);
  if (whole.starts_with(L"\\\\.\\")) return wide;  // a device name ("NUL", "COM1"), which the system knows as such
  if (whole.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + whole.substr(2);
  return L"\\\\?\\" + whole;
}

}  // namespace platform::windows
