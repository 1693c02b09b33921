#pragma once

#include <string>
#include <string_view>

namespace archiver {

// Windows archivers write a name without the UTF-8 flag in the DOS ("OEM") code page of the
// system they ran on. Into UTF-8: from code page 850, the Western European one, on Linux, which
// has no such setting (it matches code page 437 on every Italian letter); from the system's OEM
// code page on Windows.
std::string Utf8FromDosCodePage(std::string_view bytes);

}  // namespace archiver
