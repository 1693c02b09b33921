#include "archiver/staging_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "archiver/windows/win32.h"
#include "platform/windows/system_error.h"

namespace archiver {

namespace {

bool Failed() {
  errno = platform::windows::LastErrno();
  return false;
}

}  // namespace

FileHandle CreateNewFile(const std::string& path) {
  // Others may read it (the check before the rename opens it again by name), nobody may
  // delete or rename it while it is being written.
  const HANDLE handle = ::CreateFileW(win32::LongPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) Failed();
  return win32::Own(handle);
}

bool WriteFully(const FileHandle& file, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    if (!::WriteFile(win32::Native(file), bytes, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &written,
                     nullptr))
      return Failed();
    bytes += written;
    size -= written;
  }
  return true;
}

bool SeekTo(const FileHandle& file, std::int64_t offset, int whence) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  const DWORD method = whence == SEEK_SET ? FILE_BEGIN : whence == SEEK_CUR ? FILE_CURRENT : FILE_END;
  return ::SetFilePointerEx(win32::Native(file), distance, nullptr, method) || Failed();
}

std::int64_t Position(const FileHandle& file) {
  LARGE_INTEGER zero{}, position{};
  if (!::SetFilePointerEx(win32::Native(file), zero, &position, FILE_CURRENT)) {
    Failed();
    return -1;
  }
  return position.QuadPart;
}

// Windows keeps permissions in the folder's access rules, which a new file inherits like the
// old archive did; only the data needs flushing.
bool TakePermissionsAndFlush(const FileHandle& file, const std::string&) {
  return ::FlushFileBuffers(win32::Native(file)) || Failed();
}

bool RenameOver(const std::string& from, const std::string& to) {
  return ::MoveFileExW(win32::LongPath(from).c_str(), win32::LongPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
         Failed();
}

// MOVEFILE_WRITE_THROUGH has already waited for the rename to reach the disk; a folder cannot
// be flushed on Windows.
bool FlushRenameOf(const std::string&) { return true; }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(win32::LongPath(path).c_str()) || Failed(); }

}  // namespace archiver
