#include "archiver/fd_io.h"

#include <unistd.h>

#include <cerrno>

#include "archiver/item_error.h"

namespace archiver {

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

void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowSystemError("impossibile scrivere " + path, errno);
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace archiver
