#include "explorer/tree_keys.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/text.h"

namespace explorer {

using platform::paths::kSeparator;

std::string ChildKey(const std::string& parent_key, const std::string& name) {
  return platform::paths::Join(parent_key, name);
}

std::vector<std::string> WalkKeys(const std::string& from, const std::string& target) {
  std::vector<std::string> keys;
  const std::string below = from.back() == kSeparator ? from : from + kSeparator;
  if (target.size() <= below.size() || target.compare(0, below.size(), below) != 0) return keys;
  std::string key = from;
  std::size_t start = below.size();
  while (start < target.size()) {
    std::size_t end = target.find(kSeparator, start);
    if (end == std::string::npos) end = target.size();
    if (end > start) {
      key = ChildKey(key, target.substr(start, end - start));
      keys.push_back(key);
    }
    start = end + 1;
  }
  return keys;
}

std::string ChosenFolder(const std::string& key) {
  return !key.empty() && key.back() == kSeparator ? key : key + kSeparator;
}

bool IsRecycleFolder(const std::string& key, const std::string& text,
                     const std::vector<std::string>& trash_folders) {
  return platform::text::ToUpperAscii(text.substr(0, 7)) == "RECYCLE" ||
         std::any_of(trash_folders.begin(), trash_folders.end(),
                     [&](const std::string& trash) { return platform::paths::SamePath(key, trash); });
}

bool NameLess(const std::string& a, const std::string& b) {
  const auto fold = [](char c) -> unsigned char {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  };
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i)
    if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]);
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace explorer
