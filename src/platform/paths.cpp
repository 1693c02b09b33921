#include "platform/paths.h"

#include <unistd.h>

#include <climits>
#include <string_view>

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

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

std::string DriveRoot(const std::string&) { return std::string(1, kSeparator); }

bool IsPlainFileName(const std::string& text) {
  if (text.empty() || text == "." || text == ".." || text.size() > 255) return false;
  constexpr std::string_view kForbidden = "/\\<>:\"|?*";
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    if (kForbidden.find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace platform::paths
