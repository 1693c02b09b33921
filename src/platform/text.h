#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text as the windows and the profile files see it. Strings are UTF-8 inside the program; every
// count, cut and pad works on characters (code points), never on bytes, and never splits one.
namespace platform::text {

bool IsValidUtf8(std::string_view bytes);

// Bytes of a profile file into program text: UTF-8 stays as it is; anything else was written
// with the Windows 8-bit code page (Windows-1252) and is converted so that accents survive.
std::string DecodeProfileText(std::string_view bytes);

std::size_t CharCount(std::string_view s);

// The first n characters of s (all of s when it is shorter).
std::string LeftChars(std::string_view s, std::size_t n);

// Characters [first, first + count) of s, 0-based; fewer when s ends earlier.
std::string MidChars(std::string_view s, std::size_t first, std::size_t count = std::string::npos);

// s cut or padded with spaces on the right to exactly n characters.
std::string PadOrCut(std::string_view s, std::size_t n);

// Leading and trailing spaces removed (spaces only, as the windows' trim does).
std::string Trim(std::string_view s);

std::string ToUpperAscii(std::string_view s);

}  // namespace platform::text
