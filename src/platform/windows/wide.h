#pragma once

// Windows only: the program's paths and texts are UTF-8 std::strings, Windows' own calls take
// UTF-16. Convert at the call, never through the ANSI code page.

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::windows {

// UTF-8 to UTF-16. Invalid UTF-8 becomes U+FFFD rather than being dropped silently.
std::wstring Widen(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

// The reason behind a GetLastError() code, in Italian whatever the system's language; codes
// without a text of their own give "errore di sistema N".
std::string LastErrorText(DWORD error_code);

}  // namespace platform::windows
