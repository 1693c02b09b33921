#include "platform/file_items.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/paths.h"
#include "platform/unique_fd.h"

namespace platform::file_operations::items {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

// A file beside its final place, removed unless it was renamed into that place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& final_path)
      : path_(paths::Join(paths::FolderOf(final_path), ".faldone-copia-XXXXXX")),
        fd_(::mkstemp(path_.data())) {}
  ~TemporaryFile() {
    if (!placed_ && fd_.get() >= 0) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  UniqueFd& fd() { return fd_; }
  [[nodiscard]] bool PlaceAt(const std::string& final_path) {
    placed_ = ::rename(path_.c_str(), final_path.c_str()) == 0;
    return placed_;
  }

 private:
  std::string path_;
  UniqueFd fd_;
  bool placed_ = false;
};

Kind KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return Kind::Folder;
  if (S_ISREG(mode)) return Kind::File;
  if (S_ISLNK(mode)) return Kind::Link;
  return Kind::Special;
}

}  // namespace

std::optional<Item> Look(const std::string& path, int& error) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    error = errno;
    return std::nullopt;
  }
  error = 0;
  return Item{KindOf(st.st_mode), S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0,
              static_cast<std::uint64_t>(st.st_dev)};
}

int FolderProblem(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

std::vector<std::string> EntryNames(const std::string& folder, int& error) {
  std::vector<std::string> names;
  error = 0;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) {
    error = errno;
    return names;
  }
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
    errno = 0;
  }
  error = errno;
  ::closedir(dir);
  return names;
}

int MakeFolder(const std::string& path) {
  // Owner-only while it fills, so that a read-only source still lets us write its copy.
  return ::mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

void FinishFolder(const std::string& source, const std::string& copy) {
  struct stat st {};
  if (::stat(source.c_str(), &st) == 0) ::chmod(copy.c_str(), st.st_mode & 07777);
}

std::optional<Failure> CopyRegularFile(const std::string& source, const std::string& destination,
                                const CopyProgress& progress) {
  struct stat st {};
  UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0 || ::fstat(in.get(), &st) != 0) return Failure{Stage::Reading, errno};
  TemporaryFile out(destination);
  if (out.fd().get() < 0) return Failure{Stage::MakingTemporary, errno};
  std::vector<char> buffer(kChunkBytes);
  for (;;) {
    const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure{Stage::Reading, errno};
    if (got == 0) break;
    for (ssize_t written = 0; written < got;) {
      const ssize_t n = ::write(out.fd().get(), buffer.data() + written, got - written);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Failure{Stage::Writing, errno};
      written += n;
    }
    if (!progress(static_cast<std::uint64_t>(got))) return Failure{Stage::Writing, ECANCELED};
  }
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ::fchmod(out.fd().get(), st.st_mode & 07777);
  ::futimens(out.fd().get(), times);
  // On disk before it takes the old file's place, and before a move deletes the source.
  if (::fsync(out.fd().get()) != 0 || out.fd().Close() != 0) return Failure{Stage::Writing, errno};
  if (!out.PlaceAt(destination)) return Failure{Stage::Writing, errno};
  return std::nullopt;
}

std::optional<Failure> CopyLink(const std::string& source, const std::string& destination) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlink(source.c_str(), target.data(), target.size());
  if (length < 0) return Failure{Stage::Reading, errno};
  target.resize(static_cast<std::size_t>(length));
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    temporary = paths::Join(paths::FolderOf(destination), ".faldone-collegamento-" +
                                                               std::to_string(::getpid()) + "-" +
                                                               std::to_string(attempt));
    if (::symlink(target.c_str(), temporary.c_str()) == 0) break;
    if (errno != EEXIST) return Failure{Stage::MakingTemporary, errno};
  }
  if (::rename(temporary.c_str(), destination.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return Failure{Stage::Writing, error};
  }
  return std::nullopt;
}

int Rename(const std::string& source, const std::string& destination) {
  return ::rename(source.c_str(), destination.c_str()) == 0 ? 0 : errno;
}

int Remove(const std::string& path, const Item& item) {
  const int result = item.kind == Kind::Folder ? ::rmdir(path.c_str()) : ::unlink(path.c_str());
  return result == 0 ? 0 : errno;
}

}  // namespace platform::file_operations::items
