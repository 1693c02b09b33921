#pragma once

// Windows only: the reparse tag of a file or folder, which tells a junction or a link from a
// cloud placeholder (platform::LeadsElsewhere decides).

#include <windows.h>

#include <string>

namespace platform::windows {

// A reparse point's tag as a call gave it, or platform::kUnreadableReparseTag for none: a
// reparse point always has one, and Wine may show a Linux link without.
DWORD KnownReparseTag(DWORD tag);

// The tag of the open file or folder, 0 when it is no reparse point, and
// platform::kUnreadableReparseTag when it cannot be asked or is missing.
DWORD ReparseTagOf(HANDLE file);

// The same for the item at path itself: a final link is not followed, nothing is opened.
DWORD ReparseTagAt(const std::wstring& path);

}  // namespace platform::windows
