#include "archiver/fd_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "archiver/item_error.h"

namespace archiver {

UniqueFd OpenRegularFile(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valid()) ThrowSystemError("impossibile leggere " + path, errno);
  struct stat info;
  if (::fstat(fd.get(), &info) != 0) ThrowSystemError("impossibile leggere " + path, errno);
  if (!S_ISREG(info.st_mode)) throw ItemError("impossibile leggere " + path + ": non è più un file normale");
  return fd;
}

std::size_t ReadUpTo(int fd, std::uint8_t* buffer, std::size_t size, const std::string& path) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile leggere " + path, errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t ReadAt(int fd, std::uint8_t* buffer, std::size_t size, std::uint64_t offset, const std::string& path) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile leggere " + path, errno);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::vector<std::uint8_t> ReadToEnd(int fd, std::size_t expected_size, const std::string& path) {
  // One byte more than expected, so a file that grew since it was listed is read whole.
  std::vector<std::uint8_t> data(expected_size + 1);
  std::size_t used = 0;
  for (;;) {
    used += ReadUpTo(fd, data.data() + used, data.size() - used, path);
    if (used < data.size()) break;
    data.resize(data.size() * 2);
  }
  data.resize(used);
  return data;
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile scrivere " + path, errno);
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

void SyncFileAndFolder(const std::string& path) {
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid() || ::fsync(file.get()) != 0) ThrowSystemError("impossibile salvare su disco " + path, errno);
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir.valid() || ::fsync(dir.get()) != 0) ThrowSystemError("impossibile salvare su disco " + folder, errno);
}

}  // namespace archiver
