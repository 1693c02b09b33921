#include "archiver/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "archiver/item_error.h"

namespace archiver {

namespace {

int Descriptor(const FileHandle& file) { return static_cast<int>(file.native()); }

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileHandle OpenToRead(const std::string& path) {
  FileHandle file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid()) ThrowSystemError("impossibile leggere " + path, errno);
  return file;
}

FileState StateOf(const FileHandle& file, const std::string& path) {
  struct stat info;
  if (::fstat(Descriptor(file), &info) != 0) ThrowSystemError("impossibile leggere " + path, errno);
  return {S_ISREG(info.st_mode), static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec,
          Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

std::size_t ReadAt(const FileHandle& file, std::uint8_t* buffer, std::size_t size, std::uint64_t offset,
                   const std::string& path) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(Descriptor(file), buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile leggere " + path, errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void WriteAll(const FileHandle& file, const std::uint8_t* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    const ssize_t n = ::write(Descriptor(file), data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile scrivere " + path, errno);
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace archiver
