#pragma once

#include <windows.h>


namespace platform::windows {

// The errno value that describes a Windows error code, so that the archiver and the file
// operations share one set of Italian texts (platform::ErrnoText); EIO for codes with no closer
// meaning.
int ErrnoFromSystemError(DWORD code);

// The errno for the calling thread's last Windows error.
inline int LastErrno() { return ErrnoFromSystemError(::GetLastError()); }

}  // namespace platform::windows
