#include "archiver/target_tree.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <set>

#include "archiver/item_error.h"
#include "archiver/linux/temporary_sweep.h"
#include "archiver/linux/unique_fd.h"
#include "archiver/restore_leftovers.h"

namespace archiver {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct timespec Timestamp(ModificationTime mtime) {
  return {static_cast<time_t>(mtime.seconds), static_cast<long>(mtime.ticks) * 100};
}

bool IsSymbolicLink(int folder, const std::string& name) {
  struct stat info;
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

struct TargetTree::State {
  using FolderId = std::pair<dev_t, ino_t>;

  State(const std::string& target, Messages& messages)
      : target(target), messages(messages), random(std::random_device()()) {}

  std::string Shown(const Components& path, std::size_t depth) const {
    std::string shown = target;
    for (std::size_t i = 0; i < depth; ++i) shown += (shown.empty() || shown.back() != '/' ? "/" : "") + path[i];
    return shown;
  }

  // The folder made of the first depth components, created when missing if create is set. The
  // descriptor belongs to the tree and stays valid until the next call. Throws ItemError, also
  // when the way passes through a symbolic link or something that is not a folder.
  int OpenFolder(const Components& path, std::size_t depth, bool create) {
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) key += path[i] + '/';
    if (depth == 0) return root.get();
    if (cached.valid() && key == cached_key) return cached.get();
    cached.Reset();

    UniqueFd current;
    for (std::size_t i = 0; i < depth; ++i) {
      const int parent = i == 0 ? root.get() : current.get();
      const char* name = path[i].c_str();
      UniqueFd next(::openat(parent, name, kFolderFlags));
      if (!next.valid() && errno == ENOENT && create) {
        const bool made = ::mkdirat(parent, name, 0777) == 0;
        if (!made && errno != EEXIST) ThrowSystemError("impossibile creare la cartella " + Shown(path, i + 1), errno);
        next = UniqueFd(::openat(parent, name, kFolderFlags));
        if (made && next.valid()) {
          const FolderId made_id = Identity(next.get(), path, i + 1);
          created.insert(made_id);
          swept.insert(made_id);
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
    cached = std::move(current);
    cached_key = key;
    return cached.get();
  }

  // Of the folder open at fd, the first depth components of path. Throws ItemError.
  FolderId Identity(int folder, const Components& path, std::size_t depth) const {
    struct stat info;
    if (::fstat(folder, &info) != 0) ThrowSystemError("impossibile aprire la cartella " + Shown(path, depth), errno);
    return {info.st_dev, info.st_ino};
  }

  // The folder that will hold path's last component, created when missing and cleared of
  // abandoned temporary files.
  int OpenFolderForNewItem(const Components& path) {
    const int folder = OpenFolder(path, path.size() - 1, true);
    if (swept.insert(Identity(folder, path, path.size() - 1)).second)
      RemoveAbandonedTemporaries(folder, Shown(path, path.size() - 1), messages);
    return folder;
  }

  std::string target;
  Messages& messages;
  UniqueFd root;
  std::string cached_key;  // the components of cached, joined
  UniqueFd cached;
  std::set<FolderId> created;  // by this restore
  std::set<FolderId> swept;    // of abandoned temporary files, or created empty
  std::mt19937_64 random;
};

TargetTree::TargetTree(const std::string& target, Messages& messages)
    : state_(std::make_unique<State>(target, messages)) {
  std::error_code error;
  std::filesystem::create_directories(target, error);
  if (error) ThrowSystemError("impossibile creare la cartella di destinazione " + target, error.value());
  // The target itself is the user's choice and may be reached through a link.
  state_->root = UniqueFd(::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!state_->root.valid()) ThrowSystemError("impossibile aprire la cartella di destinazione " + target, errno);
  while (state_->target.size() > 1 && state_->target.back() == '/') state_->target.pop_back();
}

TargetTree::~TargetTree() = default;

std::string TargetTree::Shown(const Components& path, std::size_t depth) const { return state_->Shown(path, depth); }

void TargetTree::MakeFolder(const Components& path) { state_->OpenFolder(path, path.size(), true); }

void TargetTree::PlaceFile(const Components& path, const ItemMetadata& metadata,
                           const std::function<void(const FileHandle& file, const std::string& shown_path)>& write) {
  const std::string shown = Shown(path, path.size());
  const int folder = state_->OpenFolderForNewItem(path);
  std::string temporary;
  FileHandle file;
  while (!file.valid()) {
    temporary = NewTemporaryName(state_->random);
    file = FileHandle(::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.valid() && errno != EEXIST) ThrowSystemError("impossibile scrivere " + shown, errno);
  }
  const int fd = static_cast<int>(file.native());
  // Tells another restore's sweep that this file is being written. Only that sweep needs it:
  // on a file system without locks the file goes without, as it did before there were sweeps.
  static_cast<void>(::flock(fd, LOCK_EX | LOCK_NB));
  try {
    write(file, shown);
    const struct timespec times[2] = {Timestamp(metadata.mtime), Timestamp(metadata.mtime)};
    if (::fchmod(fd, static_cast<mode_t>(metadata.permissions)) != 0 || ::futimens(fd, times) != 0 ||
        ::close(static_cast<int>(file.Release())) != 0 ||
        ::renameat(folder, temporary.c_str(), folder, path.back().c_str()) != 0)
      ThrowSystemError("impossibile scrivere " + shown, errno);
  } catch (...) {
    ::unlinkat(folder, temporary.c_str(), 0);
    throw;
  }
}

void TargetTree::PlaceLink(const Components& path, const std::string& link_target, ModificationTime mtime) {
  const std::string shown = Shown(path, path.size());
  const int folder = state_->OpenFolderForNewItem(path);
  std::string temporary = NewTemporaryName(state_->random);
  while (::symlinkat(link_target.c_str(), folder, temporary.c_str()) != 0) {
    if (errno != EEXIST) ThrowSystemError("impossibile creare il collegamento " + shown, errno);
    temporary = NewTemporaryName(state_->random);
  }
  const struct timespec times[2] = {Timestamp(mtime), Timestamp(mtime)};
  if (::utimensat(folder, temporary.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0 ||
      ::renameat(folder, temporary.c_str(), folder, path.back().c_str()) != 0) {
    const int error = errno;
    ::unlinkat(folder, temporary.c_str(), 0);
    ThrowSystemError("impossibile creare il collegamento " + shown, error);
  }
}

void TargetTree::SetFolderMetadata(const Components& path, const ItemMetadata& metadata) {
  const int folder = state_->OpenFolder(path, path.size(), false);
  const bool ours = state_->created.count(state_->Identity(folder, path, path.size())) > 0;
  const struct timespec times[2] = {Timestamp(metadata.mtime), Timestamp(metadata.mtime)};
  if ((ours && ::fchmod(folder, static_cast<mode_t>(metadata.permissions)) != 0) || ::futimens(folder, times) != 0)
    ThrowSystemError("impossibile impostare data e permessi di " + Shown(path, path.size()), errno);
}

}  // namespace archiver
