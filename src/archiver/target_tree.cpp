#include "archiver/target_tree.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "archiver/item_error.h"
#include "archiver/restore_leftovers.h"

namespace archiver {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct timespec Timestamp(std::int64_t mtime) {
  return {static_cast<time_t>(mtime), 0};
}

bool IsSymbolicLink(int folder, const std::string& name) {
  struct stat info;
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

TargetTree::TargetTree(const std::string& target, Messages& messages)
    : target_(target), messages_(messages), random_(std::random_device()()) {
  std::error_code error;
  std::filesystem::create_directories(target, error);
  if (error) ThrowSystemError("impossibile creare la cartella di destinazione " + target, error.value());
  // The target itself is the user's choice and may be reached through a link.
  root_ = UniqueFd(::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!root_.valid()) ThrowSystemError("impossibile aprire la cartella di destinazione " + target, errno);
  while (target_.size() > 1 && target_.back() == '/') target_.pop_back();
}

std::string TargetTree::Shown(const Components& path, std::size_t depth) const {
  std::string shown = target_;
  for (std::size_t i = 0; i < depth; ++i) shown += (shown.empty() || shown.back() != '/' ? "/" : "") + path[i];
  return shown;
}

int TargetTree::OpenFolder(const Components& path, std::size_t depth, bool create) {
  std::string key;
  for (std::size_t i = 0; i < depth; ++i) key += path[i] + '/';
  if (depth == 0) return root_.get();
  if (cached_.valid() && key == cached_key_) return cached_.get();
  cached_.Reset();

  UniqueFd current;
  for (std::size_t i = 0; i < depth; ++i) {
    const int parent = i == 0 ? root_.get() : current.get();
    const char* name = path[i].c_str();
    UniqueFd next(::openat(parent, name, kFolderFlags));
    if (!next.valid() && errno == ENOENT && create) {
      const bool made = ::mkdirat(parent, name, 0777) == 0;
      if (!made && errno != EEXIST) ThrowSystemError("impossibile creare la cartella " + Shown(path, i + 1), errno);
      next = UniqueFd(::openat(parent, name, kFolderFlags));
      if (made && next.valid()) {
        const FolderId made_id = Identity(next.get(), path, i + 1);
        created_.insert(made_id);
        swept_.insert(made_id);
      }
    }
    if (!next.valid()) {
      const int error = errno;
      if (IsSymbolicLink(parent, path[i]))
        throw ItemError("rifiuto di scrivere attraverso il collegamento simbolico " + Shown(path, i + 1));
      ThrowSystemError("impossibile aprire la cartella " + Shown(path, i + 1), error);
    }
    current = std::move(next);
  }
  cached_ = std::move(current);
  cached_key_ = key;
  return cached_.get();
}

TargetTree::FolderId TargetTree::Identity(int folder, const Components& path, std::size_t depth) const {
  struct stat info;
  if (::fstat(folder, &info) != 0) ThrowSystemError("impossibile aprire la cartella " + Shown(path, depth), errno);
  return {info.st_dev, info.st_ino};
}

int TargetTree::OpenFolderForNewItem(const Components& path) {
  const int folder = OpenFolder(path, path.size() - 1, true);
  if (swept_.insert(Identity(folder, path, path.size() - 1)).second)
    RemoveAbandonedTemporaries(folder, Shown(path, path.size() - 1), messages_);
  return folder;
}

void TargetTree::PlaceFile(const Components& path, mode_t permissions, std::int64_t mtime,
                           const std::function<void(int fd, const std::string& shown_path)>& write) {
  const std::string shown = Shown(path, path.size());
  const int folder = OpenFolderForNewItem(path);
  std::string temporary;
  UniqueFd fd;
  while (!fd.valid()) {
    temporary = NewTemporaryName(random_);
    fd = UniqueFd(::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid() && errno != EEXIST) ThrowSystemError("impossibile scrivere " + shown, errno);
  }
  // Tells another restore's sweep that this file is being written. Only that sweep needs it:
  // on a file system without locks the file goes without, as it did before there were sweeps.
  static_cast<void>(::flock(fd.get(), LOCK_EX | LOCK_NB));
  try {
    write(fd.get(), shown);
    const struct timespec times[2] = {Timestamp(mtime), Timestamp(mtime)};
    if (::fchmod(fd.get(), permissions) != 0 || ::futimens(fd.get(), times) != 0 || ::close(fd.Release()) != 0 ||
        ::renameat(folder, temporary.c_str(), folder, path.back().c_str()) != 0)
      ThrowSystemError("impossibile scrivere " + shown, errno);
  } catch (...) {
    ::unlinkat(folder, temporary.c_str(), 0);
    throw;
  }
}

void TargetTree::PlaceLink(const Components& path, const std::string& link_target, std::int64_t mtime) {
  const std::string shown = Shown(path, path.size());
  const int folder = OpenFolderForNewItem(path);
  std::string temporary = NewTemporaryName(random_);
  while (::symlinkat(link_target.c_str(), folder, temporary.c_str()) != 0) {
    if (errno != EEXIST) ThrowSystemError("impossibile creare il collegamento " + shown, errno);
    temporary = NewTemporaryName(random_);
  }
  const struct timespec times[2] = {Timestamp(mtime), Timestamp(mtime)};
  if (::utimensat(folder, temporary.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 ||
      ::renameat(folder, temporary.c_str(), folder, path.back().c_str()) != 0) {
    const int error = errno;
    ::unlinkat(folder, temporary.c_str(), 0);
    ThrowSystemError("impossibile creare il collegamento " + shown, error);
  }
}

void TargetTree::SetFolderMetadata(const Components& path, mode_t permissions, std::int64_t mtime) {
  const int folder = OpenFolder(path, path.size(), false);
  const bool ours = created_.count(Identity(folder, path, path.size())) > 0;
  const struct timespec times[2] = {Timestamp(mtime), Timestamp(mtime)};
  if ((ours && ::fchmod(folder, permissions) != 0) || ::futimens(folder, times) != 0)
    ThrowSystemError("impossibile impostare data e permessi di " + Shown(path, path.size()), errno);
}

}  // namespace archiver
