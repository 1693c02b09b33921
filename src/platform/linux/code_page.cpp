#include <array>
#include <cstdint>

#include "platform/code_page.h"
#include "platform/text.h"

namespace platform::text {
namespace {

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

// Files of the Windows program were written in Windows-1252, whatever this system's locale.
std::string EightBitToUtf8(std::string_view bytes) {
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

// This build writes its profiles in UTF-8, which holds every character.
std::string EncodeProfileText(std::string_view text) { return std::string(text); }

std::string CharactersOutsideProfileCodePage(std::string_view) { return {}; }

}  // namespace platform::text
