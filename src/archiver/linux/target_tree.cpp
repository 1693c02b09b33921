#include "archiver/target_tree.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <set>

#include "archiver/item_error.h"
#include "archiver/linux/temporary_sweep.h"
#include "archiver/linux/unique_fd.h"
#include "archiver/restore_leftovers.h"
#include "archiver/serial_worker.h"

namespace archiver {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Descriptors kept open down the current folder's chain; deeper trees reopen the upper folders
// from the nearest one still open, so the descriptor limit is never reached.
constexpr std::size_t kOpenFolders = 48;
// Files written and waiting for their time and final name. Renaming over an old file is the
// slowest step of a restore over an existing copy (the file system writes the new data out and
// frees the old file's blocks in that call), so it runs on a thread of its own while the next
// files are written; each waiting file holds its descriptor and its folder's. A file that takes
// a free name does it at once: on some file systems the other thread would only wait for the
// folder this one is creating files in.
constexpr std::size_t kWaitingRenames = 128;
constexpr std::size_t kComparedAtOnce = 256 * 1024;

struct timespec Timestamp(ModificationTime mtime) {
  return {static_cast<time_t>(mtime.seconds), static_cast<long>(mtime.ticks) * 100};
}

bool IsSymbolicLink(int folder, const std::string& name) {
  struct stat info;
  return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

struct TargetTree::State {
  using FolderId = std::pair<dev_t, ino_t>;

  // One folder of the chain from the target down to the folder last used.
  struct Folder {
    std::string name;
    std::shared_ptr<const UniqueFd> fd = {};  // null once dropped for the bound; reopened when needed
    std::optional<FolderId> id = {};
    bool locked = false;  // shared: this restore may have temporary files in it
  };

  State(const std::string& target, Messages& messages)
      : target(target), messages(messages), umask(CurrentUmask()), random(std::random_device()()),
        renames(kWaitingRenames) {}

  std::string Shown(const Components& path, std::size_t depth) const {
    std::string shown = target;
    for (std::size_t i = 0; i < depth; ++i) shown += (shown.empty() || shown.back() != '/' ? "/" : "") + path[i];
    return shown;
  }

  // The folder made of the first depth components, created when missing if create is set, and
  // from then on the last of the chain. Folders the chain already holds are not looked up again:
  // their descriptors keep naming the folders that were reached without following a link,
  // whatever is renamed meanwhile. Throws ItemError, also when the way passes through a
  // symbolic link or something that is not a folder.
  Folder& OpenFolder(const Components& path, std::size_t depth, bool create) {
    std::size_t kept = 1;  // chain[0] is the target
    while (kept < chain.size() && kept <= depth && chain[kept].name == path[kept - 1]) ++kept;
    chain.resize(kept);
    std::size_t from = kept - 1;  // the deepest folder still open
    while (!chain[from].fd) --from;
    for (std::size_t level = from + 1; level <= depth; ++level) {
      if (level == chain.size()) chain.emplace_back();
      chain[level] = Folder{path[level - 1]};
      chain[level].fd = std::make_shared<const UniqueFd>(OpenChild(chain[level - 1].fd->get(), path, level, create, chain[level]));
      if (level > kOpenFolders) chain[level - kOpenFolders] = Folder{path[level - kOpenFolders - 1]};
    }
    return chain[depth];
  }

  // The folder at path's first depth components, from its parent's descriptor.
  UniqueFd OpenChild(int parent, const Components& path, std::size_t depth, bool create, Folder& folder) {
    const char* name = path[depth - 1].c_str();
    UniqueFd next(::openat(parent, name, kFolderFlags));
    if (!next.valid() && errno == ENOENT && create) {
      const bool made = ::mkdirat(parent, name, 0777) == 0;
      if (!made && errno != EEXIST) ThrowSystemError("impossibile creare la cartella " + Shown(path, depth), errno);
      next = UniqueFd(::openat(parent, name, kFolderFlags));
      if (made && next.valid()) {
        folder.id = Identity(next.get(), path, depth);
        created.insert(*folder.id);
        swept.insert(*folder.id);
      }
    }
    if (!next.valid()) {
      const int error = errno;
      if (IsSymbolicLink(parent, path[depth - 1]))
        throw ItemError("rifiuto di scrivere attraverso il collegamento simbolico " + Shown(path, depth));
      ThrowSystemError("impossibile aprire la cartella " + Shown(path, depth), error);
    }
    return next;
  }

  // Of the folder open at fd, the first depth components of path. Throws ItemError.
  FolderId Identity(int folder, const Components& path, std::size_t depth) const {
    struct stat info;
    if (::fstat(folder, &info) != 0) ThrowSystemError("impossibile aprire la cartella " + Shown(path, depth), errno);
    return {info.st_dev, info.st_ino};
  }

  FolderId IdentityOf(Folder& folder, const Components& path, std::size_t depth) {
    if (!folder.id) folder.id = Identity(folder.fd->get(), path, depth);
    return *folder.id;
  }

  // The folder that will hold path's last component, created when missing, cleared of abandoned
  // temporary files and locked against other restores' sweeps.
  const std::shared_ptr<const UniqueFd>& OpenFolderForNewItem(const Components& path) {
    const std::size_t depth = path.size() - 1;
    Folder& folder = OpenFolder(path, depth, true);
    if (!folder.locked) Lock(folder.fd->get(), swept.insert(IdentityOf(folder, path, depth)).second, path, depth);
    folder.locked = true;
    return folder.fd;
  }

  // A restore holds a shared lock on each folder where it may be writing temporary files (the
  // system drops it when the restore ends, however it ends); a sweep needs the folder to itself,
  // so it never takes another restore's files. A folder another restore is using keeps its
  // leftovers for a later restore. On a file system without locks there is no sweep.
  void Lock(int folder, bool sweep, const Components& path, std::size_t depth) {
    if (sweep && ::flock(folder, LOCK_EX | LOCK_NB) == 0)
      RemoveAbandonedTemporaries(folder, Shown(path, depth), messages);
    while (::flock(folder, LOCK_SH) != 0 && errno == EINTR) {
    }
  }

  std::string target;
  Messages& messages;
  const mode_t umask;
  std::vector<Folder> chain;
  std::set<FolderId> created;  // by this restore
  std::set<FolderId> swept;    // of abandoned temporary files, or created empty
  std::mt19937_64 random;
  std::vector<std::uint8_t> comparison = std::vector<std::uint8_t>(kComparedAtOnce);  // of a file already there
  SerialWorker renames;  // last, so that it finishes while the rest is still there
};

TargetTree::TargetTree(const std::string& target, Messages& messages)
    : state_(std::make_unique<State>(target, messages)) {
  std::error_code error;
  std::filesystem::create_directories(target, error);
  if (error) ThrowSystemError("impossibile creare la cartella di destinazione " + target, error.value());
  // The target itself is the user's choice and may be reached through a link.
  UniqueFd root(::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!root.valid()) ThrowSystemError("impossibile aprire la cartella di destinazione " + target, errno);
  state_->chain.push_back({"", std::make_shared<const UniqueFd>(std::move(root))});
  while (state_->target.size() > 1 && state_->target.back() == '/') state_->target.pop_back();
}

TargetTree::~TargetTree() = default;

std::string TargetTree::Shown(const Components& path, std::size_t depth) const { return state_->Shown(path, depth); }

void TargetTree::MakeFolder(const Components& path) { state_->OpenFolder(path, path.size(), true); }

void TargetTree::Finish() { state_->renames.Drain(); }

bool TargetTree::HoldsAlready(const Components& path, const ItemMetadata& metadata, const std::uint8_t* data,
                              std::size_t size) {
  const int folder = state_->OpenFolderForNewItem(path)->get();
  const struct timespec mtime = Timestamp(metadata.mtime);
  const auto same_as_entry = [&](const struct stat& info) {
    return S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) == size &&
           (info.st_mode & 07777) == (metadata.permissions & 07777) && info.st_mtim.tv_sec == mtime.tv_sec &&
           info.st_mtim.tv_nsec == mtime.tv_nsec;
  };
  struct stat info;
  if (::fstatat(folder, path.back().c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !same_as_entry(info)) return false;
  Finish();  // an earlier entry of the same name may still be about to take it
  // Asked again of what is read: the name may have been given to another file meanwhile.
  UniqueFd file(::openat(folder, path.back().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid() || ::fstat(file.get(), &info) != 0 || !same_as_entry(info)) return false;
  std::vector<std::uint8_t>& buffer = state_->comparison;
  for (std::size_t done = 0;;) {
    const ssize_t read = ::read(file.get(), buffer.data(), buffer.size());
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) return read == 0 && done == size;
    if (static_cast<std::size_t>(read) > size - done || std::memcmp(buffer.data(), data + done, read) != 0) return false;
    done += static_cast<std::size_t>(read);
  }
}

void TargetTree::PlaceFile(const Components& path, const ItemMetadata& metadata,
                           const std::function<void(const FileHandle& file, const std::string& shown_path)>& write) {
  std::string shown = Shown(path, path.size());
  std::shared_ptr<const UniqueFd> folder = state_->OpenFolderForNewItem(path);
  const auto mode = static_cast<mode_t>(metadata.permissions);
  std::string temporary;
  FileHandle file;
  while (!file.valid()) {
    temporary = NewTemporaryName(state_->random);
    file = FileHandle(
        ::openat(folder->get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file.valid() && errno != EEXIST) ThrowSystemError("impossibile scrivere " + shown, errno);
  }
  try {
    write(file, shown);
    // Created with its permissions already, unless the umask took some away.
    if ((mode & state_->umask) != 0 && ::fchmod(static_cast<int>(file.native()), mode) != 0)
      ThrowSystemError("impossibile scrivere " + shown, errno);
  } catch (...) {
    file.Reset();
    ::unlinkat(folder->get(), temporary.c_str(), 0);
    throw;
  }
  struct stat old;
  const bool replaces = ::fstatat(folder->get(), path.back().c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  auto finish = [fd = static_cast<int>(file.Release()), folder = std::move(folder), temporary = std::move(temporary),
                 name = path.back(), shown = std::move(shown), mtime = metadata.mtime, &messages = state_->messages] {
    const struct timespec times[2] = {Timestamp(mtime), Timestamp(mtime)};
    int error = 0;
    if (::futimens(fd, times) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::renameat(folder->get(), temporary.c_str(), folder->get(), name.c_str()) != 0) error = errno;
    if (error == 0) return;
    ::unlinkat(folder->get(), temporary.c_str(), 0);
    messages.Failure(SystemErrorText("impossibile scrivere " + shown, error));
  };
  // Taking a free name is quick, and done here, unless an earlier file may still take this one.
  if (replaces || !state_->renames.Idle())
    state_->renames.Post(std::move(finish));
  else
    finish();
}

void TargetTree::PlaceLink(const Components& path, const std::string& link_target, ModificationTime mtime) {
  Finish();  // a file waiting for the same name must not take it after the link
  const std::string shown = Shown(path, path.size());
  const int folder = state_->OpenFolderForNewItem(path)->get();
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
  Finish();  // a rename into the folder would change its time again
  State::Folder& folder = state_->OpenFolder(path, path.size(), false);
  const bool ours = state_->created.count(state_->IdentityOf(folder, path, path.size())) > 0;
  const struct timespec times[2] = {Timestamp(metadata.mtime), Timestamp(metadata.mtime)};
  const int fd = folder.fd->get();
  if ((ours && ::fchmod(fd, static_cast<mode_t>(metadata.permissions)) != 0) || ::futimens(fd, times) != 0)
    ThrowSystemError("impossibile impostare data e permessi di " + Shown(path, path.size()), errno);
}

}  // namespace archiver
