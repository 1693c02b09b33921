#pragma once

#include <string>

namespace platform {

// The reason behind an errno value, in Italian whatever the system's locale.
std::string ErrnoText(int error_number);

}  // namespace platform
