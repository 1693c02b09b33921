#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace platform::drives {

// The drives of ListDrives from the letters in use (bit 0 is A:, as GetLogicalDrives gives
// them) and the kind of each root (a GetDriveTypeW value). Roots that do not lead anywhere
// are left out.
std::vector<Drive> DrivesFromLetters(unsigned long letters,
                                     const std::function<unsigned(const std::string& root)>& kind_of);

// The drive root that the SystemDrive variable's value names ("D:" gives "D:\"); "C:\", where
// Windows is installed by default, for a value that names no drive letter.
std::string SystemDriveRoot(const std::string& variable);

}  // namespace platform::drives
