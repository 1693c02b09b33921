#include "archiver/archive_lock.h"

#include "archiver/item_error.h"
#include "archiver/windows/win32.h"

namespace archiver {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// A lock file that its last holder removed lingers, refusing to be opened, until every run
// that still waited on it has closed it: a short while.
constexpr int kPendingDeleteRetries = 200;
constexpr DWORD kPendingDeletePauseMs = 10;

bool Lock(const FileHandle& file, DWORD flags) {
  OVERLAPPED whole{};
  return ::LockFileEx(win32::Native(file), LOCKFILE_EXCLUSIVE_LOCK | flags, 0, MAXDWORD, MAXDWORD, &whole) != 0;
}

std::uint64_t FileNumber(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(handle, &info)) return 0;
  return (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 32) ^
         ((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

// The file still has the lock's name: the run that held it before did not remove it meanwhile.
bool StillNamed(const FileHandle& file, const std::wstring& path) {
  const HANDLE named =
      ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const FileHandle owned = win32::Own(named);
  return FileNumber(named) == FileNumber(win32::Native(file));
}

}  // namespace

ArchiveLock::ArchiveLock(const std::string& archive, Messages& messages) : path_(PathFor(archive)) {
  const std::wstring path = win32::LongPath(path_);
  bool told = false;
  int pending = 0;
  for (;;) {
    // Shared for deleting too, so that the run holding it can remove it while others wait on it.
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_ALWAYS,
                                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_ACCESS_DENIED && ++pending < kPendingDeleteRetries) {
        ::Sleep(kPendingDeletePauseMs);
        continue;
      }
      win32::ThrowLastError("impossibile scrivere l'archivio " + archive);
    }
    file_ = win32::Own(handle);
    if (!Lock(file_, LOCKFILE_FAIL_IMMEDIATELY)) {
      if (::GetLastError() != ERROR_LOCK_VIOLATION && ::GetLastError() != ERROR_IO_PENDING)
        win32::ThrowLastError("impossibile bloccare " + path_);
      if (!told) messages.Notice("l'archivio " + archive + " è in uso da un'altra copia: attendo che finisca");
      told = true;
      if (!Lock(file_, 0)) win32::ThrowLastError("impossibile bloccare " + path_);
    }
    if (StillNamed(file_, path)) return;
    file_.Reset();
  }
}

ArchiveLock::~ArchiveLock() {
  // Removed while still held: a run waiting on this file sees it gone and makes a new one.
  ::DeleteFileW(win32::LongPath(path_).c_str());
}

}  // namespace archiver
