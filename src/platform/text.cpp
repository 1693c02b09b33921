#include "platform/text.h"

#include <cstdint>

#include "platform/code_page.h"

namespace platform::text {
namespace {

// Length of the UTF-8 sequence starting at s[i], or 0 when it is not well-formed.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t len = 0;
  std::uint32_t min = 0;
  if (b0 < 0x80) return 1;
  if ((b0 & 0xE0) == 0xC0) { len = 2; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { len = 3; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { len = 4; min = 0x10000; }
  else return 0;
  if (i + len > s.size()) return 0;
  std::uint32_t cp = b0 & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Byte offset of character number n (0-based), or s.size() when s has fewer characters.
std::size_t OffsetOfChar(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  while (n > 0 && i < s.size()) {
    std::size_t len = SequenceLength(s, i);
    i += len == 0 ? 1 : len;
    --n;
  }
  return i;
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = SequenceLength(s, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string DecodeProfileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return EightBitToUtf8(bytes);
}

std::size_t CharCount(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); ++count) {
    std::size_t len = SequenceLength(s, i);
    i += len == 0 ? 1 : len;
  }
  return count;
}

std::string LeftChars(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, OffsetOfChar(s, n)));
}

std::string MidChars(std::string_view s, std::size_t first, std::size_t count) {
  const std::size_t begin = OffsetOfChar(s, first);
  const std::string_view rest = s.substr(begin);
  if (count == std::string::npos) return std::string(rest);
  return std::string(rest.substr(0, OffsetOfChar(rest, count)));
}

std::string PadOrCut(std::string_view s, std::size_t n) {
  std::string out = LeftChars(s, n);
  const std::size_t have = CharCount(out);
  if (have < n) out.append(n - have, ' ');
  return out;
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string GroupedDigits(unsigned long long n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace platform::text
