#include "archiver/restore_leftovers.h"

#include <algorithm>

namespace archiver {

namespace {

constexpr char kPrefix[] = ".archivia-";
constexpr std::size_t kPrefixLength = sizeof kPrefix - 1;
constexpr std::size_t kRandomLength = 8;
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

std::string NewTemporaryName(std::mt19937_64& random) {
  std::string name = kPrefix;
  for (std::size_t i = 0; i < kRandomLength; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

bool IsTemporaryName(const std::string& name) {
  return name.size() == kPrefixLength + kRandomLength && name.compare(0, kPrefixLength, kPrefix) == 0 &&
         std::all_of(name.begin() + kPrefixLength, name.end(), IsLetterOrDigit);
}

}  // namespace archiver
