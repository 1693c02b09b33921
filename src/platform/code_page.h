#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 8-bit code page of profile files, one implementation per system.
namespace platform::text {

// 8-bit text (not UTF-8) into UTF-8.
std::string EightBitToUtf8(std::string_view bytes);

// The code pages of profiles on Windows, given the system's ANSI code page and the most bytes one
// of its characters takes.
struct ProfileCodePages {
  // 8-bit files are read in the system's page when it is a single-byte one (Windows-1252 on an
  // Italian system), otherwise in Windows-1252, the page the program's files have always been
  // in: a UTF-8 system page would turn every accented byte into U+FFFD, and a double-byte one
  // would join an accented byte and the "\" after it into one character.
  std::uint32_t eight_bit;
  // Files are written in the system's page when it is UTF-8 (what the system's other programs
  // read there, and it holds every character), otherwise in the page they are read in.
  std::uint32_t written;
};
ProfileCodePages ChooseProfileCodePages(std::uint32_t system_code_page, std::uint32_t longest_character_bytes);

}  // namespace platform::text
