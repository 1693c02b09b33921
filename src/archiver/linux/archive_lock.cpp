#include "archiver/archive_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "archiver/item_error.h"

namespace archiver {

namespace {

int LockWaiting(int fd) {
  int result;
  do result = ::flock(fd, LOCK_EX);
  while (result != 0 && errno == EINTR);
  return result;
}

// The file still has the lock's name: the run that held it before did not remove it meanwhile.
bool StillNamed(int fd, const std::string& path) {
  struct stat held, named;
  return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

ArchiveLock::ArchiveLock(const std::string& archive, Messages& messages) : path_(PathFor(archive)) {
  bool told = false;
  for (;;) {
    // Read-only is enough for flock, so a lock file left by another user still serves.
    file_ = FileHandle(::open(path_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file_.valid()) ThrowSystemError("impossibile scrivere l'archivio " + archive, errno);
    const int fd = static_cast<int>(file_.native());
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK) ThrowSystemError("impossibile bloccare " + path_, errno);
      if (!told) messages.Notice("l'archivio " + archive + " è in uso da un'altra copia: attendo che finisca");
      told = true;
      if (LockWaiting(fd) != 0) ThrowSystemError("impossibile bloccare " + path_, errno);
    }
    if (StillNamed(fd, path_)) return;
  }
}

ArchiveLock::~ArchiveLock() {
  // Removed while still held: a run waiting on this file sees it gone and makes a new one.
  ::unlink(path_.c_str());
}

}  // namespace archiver
