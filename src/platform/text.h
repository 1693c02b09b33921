#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text as the windows and the profile files see it. Strings are UTF-8 inside the program; every
// count, cut and pad works on characters (code points), never on bytes, and never splits one.
namespace platform::text {

bool IsValidUtf8(std::string_view bytes);

// Bytes of a profile file into program text: UTF-8 stays as it is; anything else was written
// in an 8-bit code page and is converted so that accents survive: Windows-1252 on Linux; on
// Windows the system's ANSI code page when it is a single-byte one, else Windows-1252
// (ChooseProfileCodePages).
std::string DecodeProfileText(std::string_view bytes);

// Program text as the bytes a profile file holds: UTF-8 on Linux; on Windows, where the file is
// shared with the system's other programs, the page ChooseProfileCodePages writes in. Characters that the
// code page cannot hold must be refused first (CharactersOutsideProfileCodePage): they would
// come out as "?" here.
std::string EncodeProfileText(std::string_view text);

// The characters of text that a profile file cannot hold, each once, in order of appearance:
// none on Linux; on Windows those outside the ANSI code page ("Ж" on an Italian system).
std::string CharactersOutsideProfileCodePage(std::string_view text);

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

// "12.345.678": a whole number with the Italian thousands separator.
std::string GroupedDigits(unsigned long long n);

}  // namespace platform::text
