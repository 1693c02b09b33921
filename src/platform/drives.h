#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

// What a user calls drives. On Linux: "/" always, the file system holding the home folder, and
// the other real mounts (disks, removable media, network shares); never pseudo file systems.
// On Windows: the drive letters in use, "A:\" to "Z:\", whatever their kind.
namespace platform::drives {

struct Drive {
  std::string mount_point;  // "/", "/home", "/media/anna/CHIAVETTA"; "C:\", "E:\"
  std::string label;        // the text a drive list shows
};

std::vector<Drive> ListDrives();

// The drive the system runs from: "/" on Linux; on Windows the one %SystemDrive% names, "C:\"
// when it names none. A drive list opens on it, whatever letters come before it.
std::string SystemDrive();

// The position in drives of the one that holds path: the longest mount point that is path
// itself or a folder above it, names compared as the file system compares them.
std::optional<std::size_t> DriveHolding(const std::string& path, const std::vector<Drive>& drives);

// The position of the system drive in drives; 0 when it is not there.
std::size_t SystemDriveIndex(const std::vector<Drive>& drives);

// A drive is ready when its mount point can be read.
bool IsReady(const std::string& mount_point);

// Every mount point of the system, bind mounts included, as mountinfo writes them.
std::set<std::string> MountPoints();

// Whether path itself (not what a link there points to) is the top of a mounted file system:
// deleting or moving it would empty that disk. "/" and "C:\" are. The second form checks against
// mount points read once, for walks through many folders.
bool IsMountPoint(const std::string& path);
bool IsMountPoint(const std::string& path, const std::set<std::string>& mount_points);

}  // namespace platform::drives
