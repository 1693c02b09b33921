#include "platform/linux/mount_info.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace platform::drives {
namespace {

// File systems that hold a user's files. Everything else (proc, sysfs, cgroup, devpts,
// tmpfs, squashfs snaps, ...) is the system's own machinery.
const std::set<std::string> kRealTypes = {
    "ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "jfs", "reiserfs", "zfs", "vfat", "msdos",
    "exfat", "ntfs", "ntfs3", "fuseblk", "hfsplus", "iso9660", "udf", "nfs", "nfs4", "cifs",
    "smb3", "fuse.sshfs", "9p", "virtiofs"};

// Mount points below these belong to the system, whatever their type.
const char* const kSystemTrees[] = {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/var/lib"};

bool StartsWithFolder(const std::string& path, const std::string& folder) {
  return path == folder || path.rfind(folder + "/", 0) == 0;
}

// mountinfo escapes space, tab, newline and backslash as octal.
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.find_first_not_of("01234567") == std::string::npos) {
        out += static_cast<char>(std::strtol(octal.c_str(), nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool UnderRemovableMedia(const std::string& mount_point) {
  return StartsWithFolder(mount_point, "/media") || StartsWithFolder(mount_point, "/mnt") ||
         StartsWithFolder(mount_point, "/run/media");
}

struct Mount {
  std::string point, type;
};

std::vector<Mount> ParseMountInfo(const std::string& mountinfo) {
  std::vector<Mount> mounts;
  std::istringstream lines(mountinfo);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string id, parent, device, root, point, field;
    if (!(fields >> id >> parent >> device >> root >> point)) continue;
    while (fields >> field && field != "-") {}
    std::string type;
    if (!(fields >> type)) continue;
    mounts.push_back({Unescape(point), type});
  }
  return mounts;
}

std::string ReadMountInfo() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The path with its folders resolved and its last name kept as it is.
std::string ResolvedFolderOf(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const auto slash = trimmed.find_last_of('/');
  if (slash == std::string::npos) return {};
  const std::string name = trimmed.substr(slash + 1);
  if (name.empty()) return "/";
  char folder[PATH_MAX];
  if (!::realpath(slash == 0 ? "/" : trimmed.substr(0, slash).c_str(), folder)) return {};
  if (name == "." || name == "..") {
    char whole[PATH_MAX];
    return ::realpath(trimmed.c_str(), whole) ? std::string(whole) : std::string();
  }
  return std::string(folder) + (std::string(folder) == "/" ? "" : "/") + name;
}

}  // namespace

std::vector<Drive> DrivesFromMountInfo(const std::string& mountinfo, const std::string& home) {
  const std::vector<Mount> mounts = ParseMountInfo(mountinfo);

  // The home folder's file system: the longest mount point that contains it.
  std::string home_mount;
  for (const Mount& m : mounts)
    if (!home.empty() && StartsWithFolder(home, m.point == "/" ? std::string() : m.point) &&
        m.point.size() > home_mount.size())
      home_mount = m.point;

  std::vector<Drive> drives{{"/", "/"}};
  std::set<std::string> seen{"/"};
  for (const Mount& m : mounts) {
    if (seen.count(m.point)) continue;
    const bool removable = UnderRemovableMedia(m.point);
    const bool system = std::any_of(std::begin(kSystemTrees), std::end(kSystemTrees),
                                    [&](const char* t) { return StartsWithFolder(m.point, t); });
    const bool real = kRealTypes.count(m.type) > 0;
    const bool is_home = m.point == home_mount;
    if (!(is_home || (real && (!system || removable)))) continue;
    seen.insert(m.point);
    drives.push_back({m.point, m.point + "  [" + m.type + "]"});
  }
  std::sort(drives.begin() + 1, drives.end(),
            [](const Drive& a, const Drive& b) { return a.mount_point < b.mount_point; });
  return drives;
}

std::string SystemDrive() { return "/"; }

std::vector<Drive> ListDrives() {
  const char* home = std::getenv("HOME");
  return DrivesFromMountInfo(ReadMountInfo(), home ? home : "");
}

bool IsReady(const std::string& mount_point) {
  return ::access(mount_point.c_str(), R_OK | X_OK) == 0;
}

std::set<std::string> MountPoints() {
  std::set<std::string> points;
  for (const Mount& m : ParseMountInfo(ReadMountInfo())) points.insert(m.point);
  return points;
}

bool IsMountPoint(const std::string& path) { return IsMountPoint(path, MountPoints()); }

bool IsMountPoint(const std::string& path, const std::set<std::string>& mount_points) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  const std::string resolved = ResolvedFolderOf(path);
  if (resolved.empty()) return false;
  if (resolved == "/") return true;
  // Another device than its folder's is a mount; a bind mount of the same disk is not, so
  // the system's list of mounts is asked as well.
  struct stat folder {};
  const std::string parent = resolved.substr(0, std::max<std::size_t>(resolved.rfind('/'), 1));
  if (::stat(parent.c_str(), &folder) == 0 && folder.st_dev != st.st_dev) return true;
  return mount_points.count(resolved) > 0;
}

}  // namespace platform::drives
