#pragma once

#include <cstdint>
#include <string>

namespace explorer {

// The "Size" column: whole kilobytes, "0 Kb" only for an empty file, at least "1 Kb" for any
// other, and above 1024 bytes n / 1024 rounded with a half going to the even neighbour.
std::string SizeText(std::uint64_t bytes);

}  // namespace explorer
