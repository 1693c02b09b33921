#include "explorer/file_rename.h"

#include <windows.h>

#include <cerrno>

#include "platform/paths.h"
#include "platform/windows/long_path.h"
#include "platform/windows/system_error.h"

namespace explorer {

int RenameInFolder(const std::string& folder, const std::string& old_name,
                   const std::string& new_name) {
  // Windows drops a closing dot or blank without a word: the file would not get the name typed.
  if (!platform::paths::IsPlainFileName(new_name) || new_name.back() == '.' ||
      new_name.back() == ' ')
    return EINVAL;
  const std::wstring from = platform::windows::LongPath(platform::paths::Join(folder, old_name));
  const std::wstring to = platform::windows::LongPath(platform::paths::Join(folder, new_name));
  // Without MOVEFILE_REPLACE_EXISTING an existing name is refused, atomically.
  return ::MoveFileExW(from.c_str(), to.c_str(), 0) ? 0 : platform::windows::LastErrno();
}

}  // namespace explorer
