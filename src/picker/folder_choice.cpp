#include "picker/folder_choice.h"

#include "platform/paths.h"

namespace picker {

using platform::paths::kSeparator;

std::string WithClosingSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == kSeparator) return folder;
  return folder + kSeparator;
}

std::size_t DriveHolding(const std::string& path, const std::vector<std::string>& mount_points) {
  const std::string folder = WithClosingSeparator(path);
  std::size_t best = 0;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < mount_points.size(); ++i) {
    const std::string mount = WithClosingSeparator(mount_points[i]);
    // Compared with closing separators, so that /media/usb does not hold /media/usb2.
    if (folder.compare(0, mount.size(), mount) == 0 && mount.size() > best_length) {
      best = i;
      best_length = mount.size();
    }
  }
  return best;
}

}  // namespace picker
