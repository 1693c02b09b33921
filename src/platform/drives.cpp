#include "platform/drives.h"

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

}  // namespace

std::vector<Drive> DrivesFromMountInfo(const std::string& mountinfo, const std::string& home) {
  struct Mount {
    std::string point, type;
  };
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

std::vector<Drive> ListDrives() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  const char* home = std::getenv("HOME");
  return DrivesFromMountInfo(text.str(), home ? home : "");
}

bool IsReady(const std::string& mount_point) {
  return ::access(mount_point.c_str(), R_OK | X_OK) == 0;
}

}  // namespace platform::drives
