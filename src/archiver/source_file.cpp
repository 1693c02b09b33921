#include "archiver/source_file.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "archiver/fd_io.h"

namespace archiver {

namespace {

std::function<void(const std::string&, std::uint64_t)>& ReadHook() {
  static std::function<void(const std::string&, std::uint64_t)> hook;
  return hook;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

SourceFile::SourceFile(const SourceItem& item)
    : path_(item.path), fd_(::open(item.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) {
  if (!fd_.valid()) ThrowSystemError("impossibile leggere " + path_, errno);
  if (::fstat(fd_.get(), &opened_) != 0) ThrowSystemError("impossibile leggere " + path_, errno);
  if (!S_ISREG(opened_.st_mode)) throw ItemError("impossibile leggere " + path_ + ": non è più un file normale");
  // The entry's size and time were taken from the listing; the data must be of that version.
  if (static_cast<std::uint64_t>(opened_.st_size) != item.size || opened_.st_mtim.tv_sec != item.mtime)
    throw FileChanged(path_);
}

std::size_t SourceFile::ReadAt(std::uint8_t* buffer, std::size_t size, std::uint64_t offset) const {
  const std::size_t read = archiver::ReadAt(fd_.get(), buffer, size, offset, path_);
  if (ReadHook()) ReadHook()(path_, offset + read);
  return read;
}

void SourceFile::CheckUnchanged() const {
  struct stat now;
  if (::fstat(fd_.get(), &now) != 0) ThrowSystemError("impossibile leggere " + path_, errno);
  // A rename or a replacement by another file moves the change time of the file held open.
  if (now.st_size != opened_.st_size || !SameTime(now.st_mtim, opened_.st_mtim) ||
      !SameTime(now.st_ctim, opened_.st_ctim))
    throw FileChanged(path_);
}

void SetReadHookForTests(std::function<void(const std::string& path, std::uint64_t end)> hook) {
  ReadHook() = std::move(hook);
}

}  // namespace archiver
