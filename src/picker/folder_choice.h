#pragma once

#include <cstddef>
#include <string>
#include <vector>

// How the folder pickers turn what is selected into the folder they hand back.
namespace picker {

// A folder as the folder-tree picker publishes it: with one closing separator, the root "/"
// keeping its single one; "" (an item without a file-system path) stays "".
std::string WithClosingSeparator(const std::string& folder);

// The position in mount_points of the drive that holds path: the longest mount point that is
// path itself or a folder above it. 0 when none does (the first drive is always "/").
std::size_t DriveHolding(const std::string& path, const std::vector<std::string>& mount_points);

}  // namespace picker
