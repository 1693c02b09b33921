#include "archiver/source_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "archiver/item_error.h"
#include "archiver/linux/unique_fd.h"

namespace archiver {

namespace {

struct Child {
  std::string name;
  struct stat info;
  std::string link_target;
};

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string ReadLinkAt(int dir_fd, const std::string& name, const std::string& path) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlinkat(dir_fd, name.c_str(), target.data(), target.size());
    if (n < 0) ThrowSystemError("impossibile leggere il collegamento " + path, errno);
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
}

// Reads a folder's entries and their types while the folder is open, so that no descriptor
// stays open while its subfolders are walked.
std::vector<Child> ReadFolder(const std::string& path, bool follow_link, Messages& messages) {
  const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow_link ? 0 : O_NOFOLLOW);
  UniqueFd fd(::open(path.c_str(), flags));
  if (!fd.valid()) ThrowSystemError("impossibile leggere la cartella " + path, errno);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd.get()), ::closedir);
  if (!dir) ThrowSystemError("impossibile leggere la cartella " + path, errno);
  fd.Release();  // closedir closes it
  std::vector<Child> children;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (entry == nullptr) {
      if (errno != 0) ThrowSystemError("impossibile leggere la cartella " + path, errno);
      break;
    }
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    Child child{name, {}, {}};
    const std::string child_path = Join(path, name);
    try {
      if (::fstatat(::dirfd(dir.get()), name.c_str(), &child.info, AT_SYMLINK_NOFOLLOW) != 0)
        ThrowSystemError("impossibile leggere " + child_path, errno);
      if (S_ISLNK(child.info.st_mode)) child.link_target = ReadLinkAt(::dirfd(dir.get()), name, child_path);
      children.push_back(std::move(child));
    } catch (const ItemError& error) {
      messages.Failure(error.what());
    }
  }
  std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.name < b.name; });
  return children;
}

SourceItem ItemFor(const std::string& path, const struct stat& info) {
  SourceItem item;
  item.path = path;
  item.name = path.substr(1);
  item.permissions = info.st_mode & 07777;
  item.mtime = info.st_mtim.tv_sec;
  if (S_ISDIR(info.st_mode)) {
    item.kind = EntryKind::kFolder;
    item.name += '/';
  } else if (S_ISLNK(info.st_mode)) {
    item.kind = EntryKind::kLink;
  } else {
    item.size = static_cast<std::uint64_t>(info.st_size);
  }
  return item;
}

class TreeLister {
 public:
  TreeLister(const std::vector<FileIdentity>& skip, Messages& messages) : skip_(skip), messages_(messages) {}

  void ListContents(const std::string& folder, bool follow_link) {
    for (Child& child : ReadFolder(folder, follow_link, messages_)) {
      const std::string path = Join(folder, child.name);
      const mode_t type = child.info.st_mode & S_IFMT;
      if (type != S_IFREG && type != S_IFDIR && type != S_IFLNK) {
        messages_.Notice("salto " + path + ": non è un file, una cartella o un collegamento");
        continue;
      }
      if (Skipped(child.info)) continue;
      SourceItem item = ItemFor(path, child.info);
      item.link_target = std::move(child.link_target);
      items_.push_back(std::move(item));
      if (type == S_IFDIR) {
        try {
          ListContents(path, false);
        } catch (const ItemError& error) {
          messages_.Failure(error.what());
        }
      }
    }
  }

  std::vector<SourceItem> Take() { return std::move(items_); }

  bool Skipped(const struct stat& info) const {
    const FileIdentity identity{info.st_dev, info.st_ino};
    return std::find(skip_.begin(), skip_.end(), identity) != skip_.end();
  }
  void Add(SourceItem item) { items_.push_back(std::move(item)); }

 private:
  const std::vector<FileIdentity>& skip_;
  Messages& messages_;
  std::vector<SourceItem> items_;
};

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{info.st_dev, info.st_ino};
}

SourceItem ListItem(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) ThrowSystemError("impossibile leggere " + path, errno);
  return ItemFor(path, info);
}

std::vector<SourceItem> ListTree(const std::string& folder, const std::vector<FileIdentity>& skip, Messages& messages) {
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0) ThrowSystemError("impossibile leggere la cartella " + folder, errno);
  if (!S_ISDIR(info.st_mode)) ThrowSystemError("impossibile leggere la cartella " + folder, ENOTDIR);
  TreeLister lister(skip, messages);
  // The folder chosen by the user may itself be reached through a link; below it none is followed.
  if (folder != "/") lister.Add(ItemFor(folder, info));
  lister.ListContents(folder, true);
  return lister.Take();
}

}  // namespace archiver
