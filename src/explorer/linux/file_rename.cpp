#include "explorer/file_rename.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/paths.h"

namespace explorer {

int RenameInFolder(const std::string& folder, const std::string& old_name,
                   const std::string& new_name) {
  if (new_name.empty() || new_name == "." || new_name == ".." ||
      new_name.find(platform::paths::kSeparator) != std::string::npos)
    return EINVAL;
  const std::string from = platform::paths::Join(folder, old_name);
  const std::string to = platform::paths::Join(folder, new_name);
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without an atomic "no replace" get a look first.
  struct stat existing {};
  if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace explorer
