#pragma once

// Windows only: the archiver's paths are UTF-8 strings, Windows' own calls take UTF-16; its
// errors are GetLastError codes, shown through the same Italian texts as errno values.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "archiver/file_handle.h"
#include "platform/reparse_tags.h"
#include "platform/windows/reparse_tag.h"
#include "platform/windows/wide.h"

namespace archiver::win32 {

using platform::windows::Narrow;
using platform::windows::ReparseTagAt;
using platform::windows::ReparseTagOf;
using platform::windows::Widen;

// The full path in the "\\?\" form, which takes paths beyond MAX_PATH and leaves names such
// as "CON" or "a." alone; path may be relative or use "/".
std::wstring LongPath(const std::string& path);

// folder\name, with one separator also after a drive root.
std::wstring Join(const std::wstring& folder, const std::wstring& name);

// Throws ItemError with "what: <the reason for GetLastError() in Italian>".
[[noreturn]] void ThrowLastError(const std::string& what);

std::int64_t UnixSeconds(const FILETIME& time);  // rounded down
std::int64_t UnixNanoseconds(std::int64_t filetime_ticks);
FILETIME FileTimeOf(std::int64_t unix_seconds, std::uint32_t ticks);  // ticks of 100 ns within the second

// Opens the item at path (the "\\?\" form) with every sharing mode, never following a final
// junction or link. Any other reparse point (a cloud placeholder, a deduplicated file) is opened
// again as the file or folder it shows, so that its filter downloads or assembles it, and kept
// only when that second open reached the same item. Throws ItemError with "what: reason".
FileHandle OpenAsShown(const std::wstring& path, DWORD access, DWORD flags, const std::string& what);

inline HANDLE Native(const FileHandle& file) { return reinterpret_cast<HANDLE>(file.native()); }
inline FileHandle Own(HANDLE handle) { return FileHandle(reinterpret_cast<FileHandle::Native>(handle)); }

}  // namespace archiver::win32
