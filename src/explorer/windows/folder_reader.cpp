#include "explorer/folder_reader.h"

#include <windows.h>

#include <algorithm>

#include "explorer/tree_keys.h"
#include "platform/paths.h"
#include "platform/windows/long_path.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide.h"

namespace explorer {
namespace {

// Calls each(found) for every entry of folder but "." and ".."; the errno of a read that
// failed, or 0.
template <typename Each>
int ForEachEntry(const std::string& folder, Each each) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW(
      platform::windows::LongPath(platform::paths::Join(folder, "*")).c_str(), FindExInfoBasic, &found,
      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE)
    // An empty drive root has not even "." to find.
    return ::GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : platform::windows::LastErrno();
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") each(found);
  } while (::FindNextFileW(search, &found));
  const int error = ::GetLastError() == ERROR_NO_MORE_FILES ? 0 : platform::windows::LastErrno();
  ::FindClose(search);
  return error;
}

// Junctions and links to folders carry the folder attribute too.
bool IsFolder(const WIN32_FIND_DATAW& found) {
  return found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

}  // namespace

FolderFiles ReadFiles(const std::string& path) {
  FolderFiles listing;
  listing.error = ForEachEntry(path, [&](const WIN32_FIND_DATAW& found) {
    if (IsFolder(found)) return;
    listing.files.push_back(
        {platform::windows::Narrow(found.cFileName),
         (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
         (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
  });
  std::sort(listing.files.begin(), listing.files.end(),
            [](const FileEntry& a, const FileEntry& b) { return NameLess(a.name, b.name); });
  return listing;
}

std::vector<std::string> ReadSubfolders(const std::string& path) {
  std::vector<std::string> names;
  static_cast<void>(ForEachEntry(path, [&](const WIN32_FIND_DATAW& found) {
    if (IsFolder(found)) names.push_back(platform::windows::Narrow(found.cFileName));
  }));
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

// Windows has no kernel trees among the user's folders.
bool IsPseudoFileSystem(const std::string&) { return false; }

}  // namespace explorer
