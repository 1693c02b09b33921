#include "platform/files.h"

#include <windows.h>

#include <cerrno>
#include <random>

#include "platform/file_replacement.h"
#include "platform/line_splitter.h"
#include "platform/paths.h"
#include "platform/reparse_tags.h"
#include "platform/user_error.h"
#include "platform/windows/long_path.h"
#include "platform/windows/reparse_tag.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide.h"

namespace platform::files {
namespace {

using windows::LastErrorText;
using windows::UniqueHandle;
using windows::LongPath;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// What a replaced file keeps of its attributes (read-only files are never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

[[noreturn]] void ThrowWriteError(const std::string& path, DWORD error) {
  throw UserError("Impossibile scrivere il file " + path + "\r\n\r\n" + LastErrorText(error));
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
         error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME || error == ERROR_INVALID_DRIVE;
}

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(LongPath(path).c_str()); }

// Refuses to replace what could not be written in place: the replacement needs only the
// folder's permission, so without this a read-only file would be swapped for a writable one.
void CheckReplaceable(const std::string& path, DWORD attributes) {
  // A profile in a OneDrive folder is a reparse point too, and is replaced like any other file.
  const bool link =
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && LeadsElsewhere(windows::ReparseTagAt(LongPath(path)));
  if (link || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    throw UserError("Impossibile scrivere il file " + path +
                    ": al suo posto c'è una cartella o un file speciale, che non è stato toccato.");
  DWORD error = (attributes & FILE_ATTRIBUTE_READONLY) ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  if (error == ERROR_SUCCESS) {
    // The access rights may forbid writing where the attribute does not. A file held open by
    // another program for a moment says nothing of that: the replacement tries again.
    UniqueHandle probe(::CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.valid() && ::GetLastError() != ERROR_SHARING_VIOLATION && ::GetLastError() != ERROR_LOCK_VIOLATION)
      error = ::GetLastError();
  }
  if (error == ERROR_ACCESS_DENIED)
    throw UserError("Il file " + path + " è protetto da scrittura: non è stato modificato.\r\n\r\n" +
                    LastErrorText(error));
  if (error != ERROR_SUCCESS) ThrowWriteError(path, error);
}

// A name beside path that is not taken yet: path, then ".SUFFIX-" and six random letters.
std::string FreeNameBeside(const std::string& path, const char* suffix) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name;
  do {
    name = path + "." + suffix + "-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  } while (AttributesOf(name) != INVALID_FILE_ATTRIBUTES);
  return name;
}

// Creates a new, empty file beside path under a name of its own, and sets temp.
UniqueHandle CreateTemporaryBeside(const std::string& path, std::string& temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = FreeNameBeside(path, "tmp");
    UniqueHandle file(::CreateFileW(LongPath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid() || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return UniqueHandle();
}

bool WriteAll(HANDLE file, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file, contents.data() + done, chunk, &written, nullptr)) return false;
    done += written;
  }
  return true;
}

// Puts temp in path's place. ReplaceFileW keeps the old file's attributes and access rights;
// the old file passes through a backup name of ours, so that it can always be found again.
void MoveIntoPlace(const std::string& temp, const std::string& path, bool replacing) {
  const std::wstring target = LongPath(path), source = LongPath(temp);
  const std::string backup = FreeNameBeside(path, "old");
  const std::wstring aside = LongPath(backup);
  auto result = [](BOOL done) { return done ? ERROR_SUCCESS : ::GetLastError(); };
  ReplacementCalls calls;
  calls.replace = [&] {
    return result(::ReplaceFileW(target.c_str(), source.c_str(), aside.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                                 nullptr, nullptr));
  };
  calls.move_to_target = [&](const std::string& from, bool over) {
    return result(::MoveFileExW(LongPath(from).c_str(), target.c_str(),
                                MOVEFILE_WRITE_THROUGH | (over ? MOVEFILE_REPLACE_EXISTING : 0)));
  };
  calls.remove = [](const std::string& name) { ::DeleteFileW(LongPath(name).c_str()); };
  calls.pause = [] { ::Sleep(100); };
  calls.describe = [](SystemError error) { return LastErrorText(error); };
  PlaceReplacement(path, temp, backup, replacing, calls);
}

int ErrnoFor(DWORD error) {
  if (IsMissing(error)) return ENOENT;
  if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
    return EACCES;
  return EIO;
}

// Calls each(found) for every entry of folder ("" is the current folder) but "." and "..";
// false when the folder cannot be read. An empty drive root has not even "." to find.
template <typename Each>
bool ForEachEntry(const std::string& folder, Each each) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileExW(LongPath(folder.empty() ? "*" : paths::Join(folder, "*")).c_str(), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") each(found);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return true;
}

}  // namespace

void WriteAtomically(const std::string& path, const std::string& contents) {
  const DWORD attributes = AttributesOf(path);
  const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
  if (!replacing && ::GetLastError() != ERROR_FILE_NOT_FOUND) ThrowWriteError(path, ::GetLastError());
  if (replacing) CheckReplaceable(path, attributes);

  std::string temp;
  UniqueHandle file = CreateTemporaryBeside(path, temp);
  if (!file.valid()) ThrowWriteError(path, ::GetLastError());
  DWORD error = ERROR_SUCCESS;
  if (!WriteAll(file.get(), contents) || !::FlushFileBuffers(file.get())) error = ::GetLastError();
  if (!file.Close() && error == ERROR_SUCCESS) error = ::GetLastError();
  // ReplaceFileW carries them over on Windows itself, not everywhere its calls are offered.
  if (error == ERROR_SUCCESS && replacing && (attributes & kKeptAttributes) != 0 &&
      !::SetFileAttributesW(LongPath(temp).c_str(), attributes & kKeptAttributes))
    error = ::GetLastError();
  if (error != ERROR_SUCCESS) {
    ::DeleteFileW(LongPath(temp).c_str());
    ThrowWriteError(path, error);
  }
  MoveIntoPlace(temp, path, replacing);
}

LinesRead ReadLines(const std::string& path, std::size_t max_lines, std::size_t max_line_bytes) {
  LinesRead result;
  auto fail = [&result](int error_number, DWORD error) {
    result.lines.clear();
    result.error = error_number;
    result.reason = LastErrorText(error);
    return result;
  };
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return fail(ErrnoFor(::GetLastError()), ::GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return fail(EISDIR, ERROR_DIRECTORY);
  UniqueHandle file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return fail(ErrnoFor(::GetLastError()), ::GetLastError());
  // A device ("CON", "COM1") or a pipe could keep the caller waiting for good.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return fail(EINVAL, ERROR_INVALID_PARAMETER);

  const bool read = SplitLines(
      [&file](char* buffer, std::size_t size) -> std::ptrdiff_t {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
        return static_cast<std::ptrdiff_t>(got);
      },
      max_lines, max_line_bytes, result);
  if (!read) return fail(ErrnoFor(::GetLastError()), ::GetLastError());
  return result;
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern, bool ignore_case) {
  std::vector<std::string> names;
  // Every name, matched here: Windows' own patterns also match the short 8.3 names.
  static_cast<void>(ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return;
    std::string name = windows::Narrow(found.cFileName);
    if (MatchesWildcard(name, pattern, ignore_case)) names.push_back(std::move(name));
  }));
  return names;
}

std::optional<std::vector<std::string>> VisibleSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  const bool read = ForEachEntry(folder, [&](const WIN32_FIND_DATAW& found) {
    // Junctions and links to folders carry the folder attribute too.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
      names.push_back(windows::Narrow(found.cFileName));
  });
  if (!read) return std::nullopt;
  return names;
}

PathStatus StatusOf(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (IsMissing(error)) return {PathStatus::Kind::Missing, {}};
    return {PathStatus::Kind::Unreachable, LastErrorText(error)};
  }
  return {(attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathStatus::Kind::Folder : PathStatus::Kind::NotFolder, {}};
}

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void RemoveFile(const std::string& path) {
  if (!IsRegularFile(path)) throw UserError(LastErrorText(ERROR_FILE_NOT_FOUND));
  if (!::DeleteFileW(LongPath(path).c_str())) throw UserError(LastErrorText(::GetLastError()));
}

}  // namespace platform::files
