#include "platform/drives.h"

#include "platform/paths.h"

namespace platform::drives {

std::optional<std::size_t> DriveHolding(const std::string& path, const std::vector<Drive>& drives) {
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < drives.size(); ++i)
    if (paths::IsWithin(path, drives[i].mount_point) &&
        (!best || drives[i].mount_point.size() > drives[*best].mount_point.size()))
      best = i;
  return best;
}

std::size_t SystemDriveIndex(const std::vector<Drive>& drives) {
  return DriveHolding(SystemDrive(), drives).value_or(0);
}

}  // namespace platform::drives
