#pragma once

#include <string>
#include <vector>

// What a user calls drives: "/" always, the file system holding the home folder, and the
// other real mounts (disks, removable media, network shares); never pseudo file systems.
namespace platform::drives {

struct Drive {
  std::string mount_point;  // "/", "/home", "/media/anna/CHIAVETTA"
  std::string label;        // the text a drive list shows
};

std::vector<Drive> ListDrives();

// The same from the text of a mountinfo file (/proc/self/mountinfo), for a home folder.
std::vector<Drive> DrivesFromMountInfo(const std::string& mountinfo, const std::string& home);

// A drive is ready when its mount point can be read.
bool IsReady(const std::string& mount_point);

}  // namespace platform::drives
