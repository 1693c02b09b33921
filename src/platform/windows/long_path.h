#pragma once

#include <string>

// Windows only: paths for the system's file calls at any length.
namespace platform::windows {

// path in the "\\?\" form ("\\?\UNC\server\share\..." for a share), made whole first ("/"
// becomes "\", "." and ".." are resolved): Windows' file calls take that form up to 32,767
// characters, where a plain path stops at 260 unless the system's own long-path setting is on.
// A path already in that form is only widened. For file calls only: the shell's calls
// (opening, the recycle bin, the folder dialog) do not take it.
std::wstring LongPath(const std::string& path);

}  // namespace platform::windows
