#pragma once

#include <ctime>

namespace platform {

// The calendar fields of a moment in the machine's time zone; safe to call from any thread.
std::tm ToLocalTime(std::time_t when);

}  // namespace platform
