#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <random>

#include "platform/paths.h"
#include "platform/user_error.h"
#include "platform/text.h"
#include "platform/errno_text.h"
#include "platform/line_splitter.h"
#include "platform/unique_fd.h"

namespace platform::files {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& path, int error_number) {
  throw UserError("Impossibile scrivere il file " + path + "\r\n\r\n" + ErrnoText(error_number));
}

bool WriteAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // durability of the rename is best effort; the data itself is synced
  ::fsync(fd);
  ::close(fd);
}

// Refuses to replace what could not be written in place: the rename needs only the folder's
// permission, so without this a read-only file would be swapped for a writable one.
void CheckReplaceable(const std::string& path, const struct stat& old) {
  if (!S_ISREG(old.st_mode))
    throw UserError("Impossibile scrivere il file " + path +
                    ": al suo posto c'è una cartella o un file speciale, che non è stato toccato.");
  // O_NONBLOCK: the path may have been swapped for a pipe since the stat.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  const int error_number = fd < 0 ? errno : 0;
  if (fd >= 0) ::close(fd);
  // Nobody may write the file: even where this process could (as root), it was meant to stay.
  if (error_number != 0 || (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw UserError("Il file " + path +
                    " è protetto da scrittura: non è stato modificato.\r\n\r\n" +
                    ErrnoText(error_number != 0 ? error_number : EACCES));
}

// Creates a new, empty file beside path under a name of its own; the umask and the folder's
// default permissions apply as to any new file. Returns its descriptor and sets temp.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = path + ".tmp-";
    for (int i = 0; i < 6; ++i) temp += kLetters[pick(random)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the replacement the old file's owner, group and permissions.
int TakeOverAttributes(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Only a privileged process may give a file away, and others only to a group of their own:
    // the file then stays the saving user's, as any file that user writes.
  }
  // After the change of owner, which may clear the set-id bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Calls each(name) for every name in folder ("" is the current folder) but "." and "..";
// false when the folder cannot be opened.
template <typename Each>
bool ForEachName(const std::string& folder, Each each) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), &::closedir);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") each(std::move(name));
  }
  return true;
}

}  // namespace

void WriteAtomically(const std::string& path, const std::string& contents) {
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (!replacing && errno != ENOENT) ThrowWriteError(path, errno);
  if (replacing) CheckReplaceable(path, old);

  std::string temp;
  UniqueFd fd(CreateTemporaryBeside(path, temp));
  if (fd.get() < 0) ThrowWriteError(path, errno);
  int error_number = replacing ? TakeOverAttributes(fd.get(), old) : 0;
  if (error_number == 0 && (!WriteAll(fd.get(), contents) || ::fsync(fd.get()) != 0))
    error_number = errno;
  const int close_error = fd.Close() == 0 ? 0 : errno;
  if (error_number == 0) error_number = close_error;
  if (error_number == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error_number = errno;
  if (error_number != 0) {
    ::unlink(temp.c_str());
    ThrowWriteError(path, error_number);
  }
  SyncFolder(paths::FolderOf(path));
}

LinesRead ReadLines(const std::string& path, std::size_t max_lines, std::size_t max_line_bytes) {
  LinesRead result;
  auto fail = [&result](int error_number) {
    result.lines.clear();
    result.error = error_number;
    result.reason = ErrnoText(error_number);
    return result;
  };
  // O_NONBLOCK: opening a pipe must not wait for a writer; it is refused just below.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return fail(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return fail(errno);
  if (!S_ISREG(st.st_mode)) return fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);

  const bool read = SplitLines(
      [&fd](char* buffer, std::size_t size) -> std::ptrdiff_t {
        for (;;) {
          const ssize_t got = ::read(fd.get(), buffer, size);
          if (got >= 0 || errno != EINTR) return got;
        }
      },
      max_lines, max_line_bytes, result);
  if (!read) return fail(errno);
  return result;
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern,
                                   bool ignore_case) {
  std::vector<std::string> names;
  static_cast<void>(ForEachName(folder, [&](std::string name) {
    if (MatchesWildcard(name, pattern, ignore_case) && IsRegularFile(paths::Join(folder, name)))
      names.push_back(std::move(name));
  }));
  return names;
}

std::optional<std::vector<std::string>> VisibleSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  const bool read = ForEachName(folder, [&](std::string name) {
    if (!name.starts_with('.') && IsFolder(paths::Join(folder, name))) names.push_back(std::move(name));
  });
  if (!read) return std::nullopt;
  return names;
}

PathStatus StatusOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {PathStatus::Kind::Missing, {}};
    return {PathStatus::Kind::Unreachable, ErrnoText(errno)};
  }
  return {S_ISDIR(st.st_mode) ? PathStatus::Kind::Folder : PathStatus::Kind::NotFolder, {}};
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void RemoveFile(const std::string& path) {
  if (!IsRegularFile(path)) throw UserError(ErrnoText(ENOENT));
  if (::unlink(path.c_str()) != 0) throw UserError(ErrnoText(errno));
}

}  // namespace platform::files
