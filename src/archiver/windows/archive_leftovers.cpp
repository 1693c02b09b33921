#include "archiver/archive_leftovers.h"

#include <vector>

#include "archiver/utf8_path.h"
#include "archiver/windows/win32.h"
#include "platform/windows/system_error.h"
#include "platform/errno_text.h"

namespace archiver {

namespace {

bool IsUnfinishedArchiveAt(const std::wstring& path) {
  const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const FileHandle file = win32::Own(handle);
  FILE_STANDARD_INFO standard;
  FILE_BASIC_INFO basic;
  if (!::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) ||
      !::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) || standard.Directory ||
      (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  return IsUnfinishedArchive(file, static_cast<std::uint64_t>(standard.EndOfFile.QuadPart));
}

}  // namespace

void RemoveLeftovers(const std::string& archive, Messages& messages) {
  const std::filesystem::path archive_path = PathFromUtf8(archive);
  const std::string archive_name = Utf8Of(archive_path.filename());
  const std::string folder = Utf8Of(archive_path.has_parent_path() ? archive_path.parent_path() : ".");
  const std::wstring folder_wide = win32::LongPath(folder);
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileExW(win32::Join(folder_wide, L"*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;  // a missing folder holds no leftovers; opening the archive will say
  std::vector<std::string> leftovers;
  do {
    const std::string name = win32::Narrow(found.cFileName);
    if (IsLeftoverName(name, archive_name) && IsUnfinishedArchiveAt(win32::Join(folder_wide, found.cFileName)))
      leftovers.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  for (const std::string& name : leftovers) {
    if (!::DeleteFileW(win32::Join(folder_wide, win32::Widen(name)).c_str()))
      messages.Notice("impossibile eliminare il file temporaneo " + Utf8Of(PathFromUtf8(folder) / PathFromUtf8(name)) +
                      ": " + platform::ErrnoText(platform::windows::LastErrno()));
  }
}

}  // namespace archiver
