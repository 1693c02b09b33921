#pragma once

#include <string>
#include <vector>

#include "platform/drives.h"

namespace platform::drives {

// The drives of ListDrives from the text of a mountinfo file (/proc/self/mountinfo), for a
// home folder.
std::vector<Drive> DrivesFromMountInfo(const std::string& mountinfo, const std::string& home);

}  // namespace platform::drives
