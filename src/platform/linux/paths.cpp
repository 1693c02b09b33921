#include "platform/paths.h"

#include <unistd.h>

#include <climits>

namespace platform::paths {

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string exe(buffer, static_cast<std::size_t>(n));
  return FolderOf(exe) + kSeparator;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of(kSeparator);
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string DriveRoot(const std::string&) { return std::string(1, kSeparator); }

bool IsAbsolute(const std::string& path) { return path.starts_with('/'); }

bool SamePath(const std::string& a, const std::string& b) { return a == b; }

}  // namespace platform::paths
