#include "archiver/linux/temporary_sweep.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <vector>

#include "archiver/restore_leftovers.h"
#include "platform/errno_text.h"

namespace archiver {

namespace {

// Removes the file or link when it is ours; the error number when that removal failed,
// otherwise 0.
int RemoveIfOurs(int folder, const std::string& name) {
  struct stat info;
  if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || info.st_uid != ::geteuid() ||
      !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
    return 0;
  return ::unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT ? 0 : errno;
}

}  // namespace

void RemoveAbandonedTemporaries(int folder, const std::string& shown_folder, Messages& messages) {
  // A descriptor of its own: the listing must not move the folder's shared read position.
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(listing < 0 ? nullptr : ::fdopendir(listing), ::closedir);
  if (!dir) {
    const int error = errno;
    if (listing >= 0) ::close(listing);
    messages.Notice("impossibile cercare file temporanei in " + shown_folder + ": " + platform::ErrnoText(error));
    return;
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get()))
    if (IsTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
  const std::string separator = !shown_folder.empty() && shown_folder.back() == '/' ? "" : "/";
  for (const std::string& name : names) {
    if (const int error = RemoveIfOurs(folder, name))
      messages.Notice("impossibile eliminare il file temporaneo " + shown_folder + separator + name + ": " +
                      platform::ErrnoText(error));
  }
}

}  // namespace archiver
