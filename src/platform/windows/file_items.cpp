#include "platform/file_items.h"

#include <windows.h>

#include <cerrno>

#include "platform/paths.h"
#include "platform/reparse_tags.h"
#include "platform/windows/long_path.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide.h"

namespace platform::file_operations::items {
namespace {

using windows::ErrnoFromSystemError;
using windows::LastErrno;
using windows::LongPath;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The entry itself, never what a link or junction there points to.
Handle OpenEntry(const std::wstring& path, DWORD access) {
  return Handle(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// Symbolic links, junctions and other name surrogates are links; other reparse points (cloud
// placeholders, deduplicated files) are the files and folders they stand for.
Kind KindOf(DWORD attributes, DWORD reparse_tag) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && LeadsElsewhere(reparse_tag)) return Kind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return Kind::Special;
  return Kind::File;
}

// Clears the read-only attribute for a change the user asked for (Linux lets a folder's owner
// delete or replace a read-only file too); Restore() puts it back when the change failed.
class WritableForChange {
 public:
  explicit WritableForChange(const std::wstring& path)
      : path_(path), attributes_(::GetFileAttributesW(path.c_str())) {
    if (attributes_ == INVALID_FILE_ATTRIBUTES || !(attributes_ & FILE_ATTRIBUTE_READONLY)) return;
    const DWORD writable = attributes_ & ~FILE_ATTRIBUTE_READONLY;
    cleared_ = ::SetFileAttributesW(path_.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL);
  }
  void Restore() {
    if (cleared_) ::SetFileAttributesW(path_.c_str(), attributes_);
  }

 private:
  std::wstring path_;
  DWORD attributes_;
  bool cleared_ = false;
};

// A name beside destination that nothing has yet, created empty so that nobody else takes it.
std::wstring TemporaryBeside(const std::string& destination, const char* kind, DWORD& error) {
  const std::string folder = paths::FolderOf(destination);
  for (int attempt = 0;; ++attempt) {
    const std::wstring name = LongPath(paths::Join(
        folder, std::string(".faldone-") + kind + "-" + std::to_string(::GetCurrentProcessId()) +
                    "-" + std::to_string(attempt)));
    const Handle made(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (made.valid()) return name;
    error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return {};
  }
}

void RemoveTemporary(const std::wstring& temporary) {
  WritableForChange writable(temporary);
  ::DeleteFileW(temporary.c_str());
}

// What the copy takes from its source beyond the bytes, set here since not every system's
// copy carries it.
struct Stamp {
  DWORD attributes;
  FILETIME written;
};

// Gives the finished temporary file its source's stamp, writes it to disk and renames it over
// destination.
std::optional<Failure> Place(const std::wstring& temporary, const std::string& destination,
                             const std::optional<Stamp>& stamp) {
  {
    WritableForChange writable(temporary);
    const Handle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    const bool flushed = file.valid() &&
                         (!stamp || ::SetFileTime(file.get(), nullptr, nullptr, &stamp->written)) &&
                         ::FlushFileBuffers(file.get());
    const DWORD error = flushed ? ERROR_SUCCESS : ::GetLastError();
    writable.Restore();
    if (!flushed) {
      RemoveTemporary(temporary);
      return Failure{Stage::Writing, ErrnoFromSystemError(error)};
    }
  }
  if (stamp) {
    const DWORD kept = stamp->attributes & kKeptAttributes;
    ::SetFileAttributesW(temporary.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
  }
  const std::wstring final_name = LongPath(destination);
  WritableForChange replaced(final_name);
  if (::MoveFileExW(temporary.c_str(), final_name.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return std::nullopt;
  const DWORD error = ::GetLastError();
  replaced.Restore();
  RemoveTemporary(temporary);
  return Failure{Stage::Writing, ErrnoFromSystemError(error)};
}

struct CopyState {
  const CopyProgress* progress;
  std::uint64_t reported = 0;
};

DWORD CALLBACK OnCopyProgress(LARGE_INTEGER, LARGE_INTEGER transferred, LARGE_INTEGER,
                              LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE, LPVOID data) {
  auto* state = static_cast<CopyState*>(data);
  const auto bytes = static_cast<std::uint64_t>(transferred.QuadPart) - state->reported;
  state->reported = static_cast<std::uint64_t>(transferred.QuadPart);
  if (bytes == 0) return PROGRESS_CONTINUE;
  return (*state->progress)(bytes) ? PROGRESS_CONTINUE : PROGRESS_CANCEL;
}

// Copies into a temporary file (made first, so that nobody else takes the name) and places it.
// A file copies with its stamp and progress; a link as a link.
std::optional<Failure> CopyThroughTemporary(const std::string& source,
                                            const std::string& destination, const char* kind,
                                            DWORD flags, CopyState* state) {
  std::optional<Stamp> stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (state) {
    if (!::GetFileAttributesExW(LongPath(source).c_str(), GetFileExInfoStandard, &data))
      return Failure{Stage::Reading, LastErrno()};
    stamp = Stamp{data.dwFileAttributes, data.ftLastWriteTime};
  }
  DWORD error = ERROR_SUCCESS;
  const std::wstring temporary = TemporaryBeside(destination, kind, error);
  if (temporary.empty()) return Failure{Stage::MakingTemporary, ErrnoFromSystemError(error)};
  BOOL cancel = FALSE;
  if (!::CopyFileExW(LongPath(source).c_str(), temporary.c_str(), state ? OnCopyProgress : nullptr,
                     state, &cancel, flags)) {
    error = ::GetLastError();
    RemoveTemporary(temporary);
    return Failure{Stage::Writing, ErrnoFromSystemError(error)};
  }
  // Bytes the system did not report as it went are told now, before the copy takes its place,
  // so that a cancel there still leaves nothing behind.
  if (state) {
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size > state->reported && !(*state->progress)(size - state->reported)) {
      RemoveTemporary(temporary);
      return Failure{Stage::Writing, ECANCELED};
    }
  }
  return Place(temporary, destination, stamp);
}

}  // namespace

std::optional<Item> Look(const std::string& path, int& error) {
  const std::wstring wide = LongPath(path);
  Item item;
  const Handle entry = OpenEntry(wide, FILE_READ_ATTRIBUTES);
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (entry.valid() && ::GetFileInformationByHandle(entry.get(), &info)) {
    ::GetFileInformationByHandleEx(entry.get(), FileAttributeTagInfo, &tag, sizeof tag);
    item.kind = KindOf(info.dwFileAttributes, tag.ReparseTag);
    item.device = info.dwVolumeSerialNumber;
    if (item.kind == Kind::File)
      item.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    error = 0;
    return item;
  }
  // Some entries cannot be opened even to read their attributes; their folder still lists them.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
    error = LastErrno();
    return std::nullopt;
  }
  item.kind = KindOf(data.dwFileAttributes, (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                                                ? IO_REPARSE_TAG_SYMLINK
                                                : 0);
  if (item.kind == Kind::File)
    item.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  error = 0;
  return item;
}

int FolderProblem(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrno();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}

std::string RealPath(const std::string& path) {
  const Handle entry(::CreateFileW(LongPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!entry.valid()) return {};
  std::wstring resolved(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(
        entry.get(), resolved.data(), static_cast<DWORD>(resolved.size()), VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < resolved.size()) {
      resolved.resize(length);
      break;
    }
    resolved.resize(length);
  }
  // "\\?\C:\Dati" is "C:\Dati"; "\\?\UNC\server\share" is "\\server\share".
  if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0) resolved = L"\\\\" + resolved.substr(8);
  else if (resolved.rfind(L"\\\\?\\", 0) == 0) resolved = resolved.substr(4);
  return windows::Narrow(resolved);
}

std::vector<std::string> EntryNames(const std::string& folder, int& error) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(LongPath(paths::Join(folder, "*")).c_str(), FindExInfoBasic,
                                     &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // An empty drive root has not even "." to find.
    error = ::GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : LastErrno();
    return names;
  }
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(windows::Narrow(name));
  } while (::FindNextFileW(search, &found));
  error = ::GetLastError() == ERROR_NO_MORE_FILES ? 0 : LastErrno();
  ::FindClose(search);
  return names;
}

int MakeFolder(const std::string& path) {
  return ::CreateDirectoryW(LongPath(path).c_str(), nullptr) ? 0 : LastErrno();
}

void FinishFolder(const std::string& source, const std::string& copy) {
  const DWORD attributes = ::GetFileAttributesW(LongPath(source).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  const DWORD kept = attributes & kKeptAttributes;
  ::SetFileAttributesW(LongPath(copy).c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

std::optional<Failure> CopyRegularFile(const std::string& source, const std::string& destination,
                                const CopyProgress& progress) {
  // Opened first, so that a source that cannot be read is told apart from a failed write.
  if (const Handle in(::CreateFileW(LongPath(source).c_str(), GENERIC_READ, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      !in.valid())
    return Failure{Stage::Reading, LastErrno()};
  CopyState state{&progress};
  return CopyThroughTemporary(source, destination, "copia", 0, &state);
}

std::optional<Failure> CopyLink(const std::string& source, const std::string& destination) {
  return CopyThroughTemporary(source, destination, "collegamento", COPY_FILE_COPY_SYMLINK, nullptr);
}

int Rename(const std::string& source, const std::string& destination) {
  const std::wstring to = LongPath(destination);
  // Only reached for a free name or one the user agreed to replace.
  WritableForChange replaced(to);
  // Without MOVEFILE_COPY_ALLOWED: across volumes the caller copies and then removes, so that
  // the source goes only once its copy is whole.
  if (::MoveFileWithProgressW(LongPath(source).c_str(), to.c_str(), nullptr, nullptr,
                              MOVEFILE_REPLACE_EXISTING))
    return 0;
  const int error = LastErrno();
  replaced.Restore();
  return error;
}

int Remove(const std::string& path, const Item&) {
  const std::wstring wide = LongPath(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrno();
  WritableForChange writable(wide);
  // A junction or a link to a folder is a folder entry: RemoveDirectoryW removes the link only.
  const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(wide.c_str())
                                                               : ::DeleteFileW(wide.c_str());
  if (removed) return 0;
  const int error = LastErrno();
  writable.Restore();
  return error;
}

}  // namespace platform::file_operations::items
