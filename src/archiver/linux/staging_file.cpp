#include "archiver/staging_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "archiver/linux/unique_fd.h"
#include "archiver/new_item_modes.h"

namespace archiver {

namespace {

int Descriptor(const FileHandle& file) { return static_cast<int>(file.native()); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FileHandle CreateNewFile(const std::string& path) {
  return FileHandle(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
}

bool WriteFully(const FileHandle& file, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(Descriptor(file), bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool SeekTo(const FileHandle& file, std::int64_t offset, int whence) {
  return ::lseek(Descriptor(file), static_cast<off_t>(offset), whence) >= 0;
}

std::int64_t Position(const FileHandle& file) { return ::lseek(Descriptor(file), 0, SEEK_CUR); }

bool TakePermissionsAndFlush(const FileHandle& file, const std::string& archive) {
  struct stat old;
  const mode_t mode = ::stat(archive.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  return ::fchmod(Descriptor(file), mode) == 0 && ::fsync(Descriptor(file)) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool FlushRenameOf(const std::string& path) {
  const UniqueFd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return folder.valid() && ::fsync(folder.get()) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

}  // namespace archiver
