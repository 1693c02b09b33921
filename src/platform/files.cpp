#include "platform/files.h"

namespace platform::files {
namespace {

bool EqualChar(char a, char b, bool ignore_case) {
  if (!ignore_case) return a == b;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return lower(a) == lower(b);
}

}  // namespace

bool MatchesWildcard(const std::string& name, const std::string& pattern, bool ignore_case) {
  // Iterative match with one backtrack point for the last "*" seen.
  std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || EqualChar(pattern[p], name[n], ignore_case))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace platform::files
