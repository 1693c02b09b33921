#include "platform/paths.h"

#include <string_view>

namespace platform::paths {
namespace {

std::string WithSeparator(const std::string& path) {
  return path.empty() || path.back() == kSeparator ? path : path + kSeparator;
}

}  // namespace

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

bool IsPlainFileName(const std::string& text) {
  if (text.empty() || text == "." || text == ".." || text.size() > 255) return false;
  constexpr std::string_view kForbidden = "/\\<>:\"|?*";
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    if (kForbidden.find(c) != std::string_view::npos) return false;
  }
  return true;
}

bool IsWithin(const std::string& path, const std::string& folder) {
  const std::string top = WithSeparator(folder);
  const std::string inside = WithSeparator(path);
  return inside.size() >= top.size() && SamePath(inside.substr(0, top.size()), top);
}

}  // namespace platform::paths
