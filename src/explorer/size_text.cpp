#include "explorer/size_text.h"

namespace explorer {

std::string SizeText(std::uint64_t bytes) {
  if (bytes == 0) return "0 Kb";
  if (bytes <= 1024) return "1 Kb";
  std::uint64_t kilobytes = bytes / 1024;
  const std::uint64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && kilobytes % 2 == 1)) ++kilobytes;
  return std::to_string(kilobytes) + " Kb";
}

}  // namespace explorer
