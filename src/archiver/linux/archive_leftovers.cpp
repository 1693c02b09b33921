#include "archiver/archive_leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "platform/errno_text.h"

namespace archiver {

namespace {

bool IsUnfinishedArchiveAt(int folder_fd, const std::string& name) {
  const FileHandle file(::openat(folder_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (!file.valid() || ::fstat(static_cast<int>(file.native()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return IsUnfinishedArchive(file, static_cast<std::uint64_t>(info.st_size));
}

}  // namespace

void RemoveLeftovers(const std::string& archive, Messages& messages) {
  const std::size_t slash = archive.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : archive.substr(0, std::max<std::size_t>(slash, 1));
  const std::string archive_name = slash == std::string::npos ? archive : archive.substr(slash + 1);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return;  // a missing folder holds no leftovers; opening the archive will say what is wrong
  std::vector<std::string> leftovers;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (IsLeftoverName(name, archive_name) && IsUnfinishedArchiveAt(::dirfd(dir.get()), name)) leftovers.push_back(name);
  }
  for (const std::string& name : leftovers) {
    if (::unlinkat(::dirfd(dir.get()), name.c_str(), 0) != 0)
      messages.Notice("impossibile eliminare il file temporaneo " + folder + "/" + name + ": " + platform::ErrnoText(errno));
  }
}

}  // namespace archiver
