#include "explorer/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "explorer/tree_keys.h"

namespace explorer {
namespace {

using Dir = std::unique_ptr<DIR, int (*)(DIR*)>;

Dir OpenDir(const std::string& path) { return Dir(::opendir(path.c_str()), &::closedir); }

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Type of the entry's target; links are followed so that a link to a folder is a folder.
bool IsFolderEntry(DIR* dir, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

bool StartsWithFolder(const std::string& path, const std::string& folder) {
  return path == folder || path.rfind(folder + "/", 0) == 0;
}

constexpr unsigned long kCgroup2Magic = 0x63677270;
constexpr unsigned long kBinfmtMagic = 0x42494e4d;
constexpr unsigned long kTraceFsMagic = 0x74726163;
constexpr unsigned long kConfigFsMagic = 0x62656570;
constexpr unsigned long kFuseCtlMagic = 0x65735543;
constexpr unsigned long kMqueueMagic = 0x19800202;
constexpr unsigned long kPseudoMagics[] = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,        DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC, kCgroup2Magic,
    DEBUGFS_MAGIC,    SECURITYFS_MAGIC,   PSTOREFS_MAGIC,     BPF_FS_MAGIC,       AUTOFS_SUPER_MAGIC,
    kBinfmtMagic,     EFIVARFS_MAGIC,     HUGETLBFS_MAGIC,    kTraceFsMagic,      kConfigFsMagic,
    kFuseCtlMagic,    kMqueueMagic,       SELINUX_MAGIC,      NSFS_MAGIC};

}  // namespace

FolderFiles ReadFiles(const std::string& path) {
  FolderFiles listing;
  Dir dir = OpenDir(path);
  if (!dir) {
    listing.error = errno;
    return listing;
  }
  const int fd = ::dirfd(dir.get());
  errno = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsDotOrDotDot(entry->d_name) && entry->d_type != DT_DIR) {
      struct stat st {};
      // A broken link is still a file of the folder: its own size then.
      const bool seen = ::fstatat(fd, entry->d_name, &st, 0) == 0 ||
                        ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
      if (!seen || !S_ISDIR(st.st_mode))
        listing.files.push_back({entry->d_name, seen ? static_cast<std::uint64_t>(st.st_size) : 0,
                                 entry->d_name[0] == '.'});
    }
    errno = 0;
  }
  listing.error = errno;
  std::sort(listing.files.begin(), listing.files.end(),
            [](const FileEntry& a, const FileEntry& b) { return NameLess(a.name, b.name); });
  return listing;
}

std::vector<std::string> ReadSubfolders(const std::string& path) {
  std::vector<std::string> names;
  if (Dir dir = OpenDir(path)) {
    while (const dirent* entry = ::readdir(dir.get()))
      if (!IsDotOrDotDot(entry->d_name) && IsFolderEntry(dir.get(), entry))
        names.emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

bool IsPseudoFileSystem(const std::string& path) {
  // tmpfs and devtmpfs there hold the system's runtime state; removable media may be mounted
  // under /run/media and are a user's own.
  for (const char* system : {"/proc", "/sys", "/dev", "/run"})
    if (StartsWithFolder(path, system) && !StartsWithFolder(path, "/run/media")) return true;
  struct statfs fs {};
  if (::statfs(path.c_str(), &fs) != 0) return false;
  const auto type = static_cast<unsigned long>(fs.f_type);
  return std::find(std::begin(kPseudoMagics), std::end(kPseudoMagics), type) !=
         std::end(kPseudoMagics);
}

}  // namespace explorer
