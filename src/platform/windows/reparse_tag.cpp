#include "platform/windows/reparse_tag.h"

#include "platform/reparse_tags.h"

namespace platform::windows {

DWORD KnownReparseTag(DWORD tag) { return tag != 0 ? tag : kUnreadableReparseTag; }

DWORD ReparseTagOf(HANDLE file) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!::GetFileInformationByHandleEx(file, FileAttributeTagInfo, &info, sizeof info)) return kUnreadableReparseTag;
  return (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? KnownReparseTag(info.ReparseTag) : 0;
}

DWORD ReparseTagAt(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return kUnreadableReparseTag;
  ::FindClose(search);
  // The search record holds the tag in its first reserved field.
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? KnownReparseTag(found.dwReserved0) : 0;
}

}  // namespace platform::windows
