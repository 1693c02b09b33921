#include "platform/text.h"

#include <array>
#include <cstdint>

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

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones keep their C1 code points.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) out += c;
    else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80]);
    else AppendUtf8(out, b);  // 0xA0..0xFF are the Latin-1 code points
  }
  return out;
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

}  // namespace platform::text
