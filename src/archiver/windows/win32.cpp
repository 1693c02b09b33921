#include "archiver/windows/win32.h"

#include <tuple>
#include <vector>

#include "archiver/item_error.h"
#include "platform/windows/system_error.h"

namespace archiver::win32 {

namespace {

// 100-nanosecond steps from 1601 to 1970.
constexpr std::int64_t kTicksTo1970 = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10'000'000;

}  // namespace

std::wstring LongPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  std::vector<wchar_t> full(MAX_PATH);
  for (;;) {
    const DWORD size = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0) return wide;  // the call that takes it will say what is wrong
    if (size < full.size()) {
      const std::wstring absolute(full.data(), size);
      if (absolute.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + absolute.substr(2);
      return L"\\\\?\\" + absolute;
    }
    full.resize(size);
  }
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

void ThrowLastError(const std::string& what) { ThrowSystemError(what, platform::windows::LastErrno()); }

std::int64_t UnixSeconds(const FILETIME& time) {
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  const std::int64_t since_1970 = ticks - kTicksTo1970;
  return since_1970 >= 0 ? since_1970 / kTicksPerSecond : -((-since_1970 + kTicksPerSecond - 1) / kTicksPerSecond);
}

std::int64_t UnixNanoseconds(std::int64_t filetime_ticks) { return (filetime_ticks - kTicksTo1970) * 100; }

FILETIME FileTimeOf(std::int64_t unix_seconds, std::uint32_t extra_ticks) {
  const auto ticks = static_cast<std::uint64_t>(unix_seconds * kTicksPerSecond + extra_ticks + kTicksTo1970);
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

FileHandle OpenAsShown(const std::wstring& path, DWORD access, DWORD flags, const std::string& what) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  auto open = [&](DWORD more_flags) {
    const HANDLE handle = ::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags | more_flags,
                                        nullptr);
    if (handle == INVALID_HANDLE_VALUE) ThrowLastError(what);
    return Own(handle);
  };
  FileHandle item = open(FILE_FLAG_OPEN_REPARSE_POINT);
  const DWORD tag = ReparseTagOf(Native(item));
  if (tag == 0 || platform::LeadsElsewhere(tag)) return item;
  FileHandle shown = open(0);
  auto identity = [](const FileHandle& file) {
    BY_HANDLE_FILE_INFORMATION info{};
    ::GetFileInformationByHandle(Native(file), &info);
    return std::tuple(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
  };
  if (identity(shown) != identity(item)) throw ItemError(what + ": è stato sostituito durante la lettura");
  return shown;
}

}  // namespace archiver::win32
