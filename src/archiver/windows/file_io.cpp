#include "archiver/file_io.h"

#include <algorithm>

#include "archiver/item_error.h"
#include "archiver/windows/win32.h"
#include "platform/reparse_tags.h"

namespace archiver {

namespace {

constexpr std::size_t kLargestCall = 1u << 30;  // ReadFile and WriteFile take 32-bit sizes

}  // namespace

FileHandle OpenToRead(const std::string& path) {
  // Others may go on writing, renaming or deleting: that is caught by comparing the state. A
  // file only in the cloud is downloaded here; when that fails, the file is a failure.
  return win32::OpenAsShown(win32::LongPath(path), GENERIC_READ | FILE_READ_ATTRIBUTES, FILE_FLAG_SEQUENTIAL_SCAN,
                            "impossibile leggere " + path);
}

FileState StateOf(const FileHandle& file, const std::string& path) {
  FILE_BASIC_INFO basic;
  FILE_STANDARD_INFO standard;
  if (!::GetFileInformationByHandleEx(win32::Native(file), FileBasicInfo, &basic, sizeof basic) ||
      !::GetFileInformationByHandleEx(win32::Native(file), FileStandardInfo, &standard, sizeof standard))
    win32::ThrowLastError("impossibile leggere " + path);
  const FILETIME written{basic.LastWriteTime.LowPart, static_cast<DWORD>(basic.LastWriteTime.HighPart)};
  const bool regular = !standard.Directory && !((basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                                                 platform::LeadsElsewhere(win32::ReparseTagOf(win32::Native(file))));
  return {regular, static_cast<std::uint64_t>(standard.EndOfFile.QuadPart), win32::UnixSeconds(written),
          win32::UnixNanoseconds(basic.LastWriteTime.QuadPart), win32::UnixNanoseconds(basic.ChangeTime.QuadPart)};
}

std::size_t ReadAt(const FileHandle& file, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
                   const std::string& path) {
  std::size_t done = 0;
  while (done < size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset + done);
    at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(size - done, kLargestCall));
    if (!::ReadFile(win32::Native(file), buffer + done, wanted, &read, &at)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      win32::ThrowLastError("impossibile leggere " + path);
    }
    if (read == 0) break;
    done += read;
  }
  return done;
}

void WriteAll(const FileHandle& file, const std::uint8_t* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    DWORD written = 0;
    if (!::WriteFile(win32::Native(file), data, static_cast<DWORD>(std::min(size, kLargestCall)), &written, nullptr))
      win32::ThrowLastError("impossibile scrivere " + path);
    data += written;
    size -= written;
  }
}

}  // namespace archiver
