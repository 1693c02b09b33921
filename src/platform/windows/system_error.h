#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The errno value that describes a Windows error code, so that the file operations share one
// set of Italian texts; EIO for codes with no closer meaning.
int ErrnoFromSystemError(DWORD code);

// The errno for the calling thread's last Windows error.
inline int LastErrno() { return ErrnoFromSystemError(::GetLastError()); }

// The system's own description of a Windows error code or HRESULT, in its language.
std::string SystemErrorText(DWORD code);

}  // namespace platform
