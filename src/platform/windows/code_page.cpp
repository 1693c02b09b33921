#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/text.h"
#include "platform/windows/wide.h"

namespace platform::text {
namespace {

// The pages profiles are read and written in on this system, chosen once.
const ProfileCodePages& Pages() {
  static const ProfileCodePages pages = [] {
    const UINT system = ::GetACP();
    CPINFO info{};
    return ChooseProfileCodePages(system, ::GetCPInfo(system, &info) ? info.MaxCharSize : 0);
  }();
  return pages;
}

// The written page's bytes for wide, and whether a character had to be replaced.
std::string ToProfilePage(std::wstring_view wide, bool* replaced) {
  if (wide.empty()) return {};
  const UINT page = Pages().written;
  const int length = static_cast<int>(wide.size());
  // No "best fit": "Ж" must not quietly become "?" nor "ā" become "a". UTF-8 holds every
  // character and takes neither the flag nor the question.
  const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* used = page == CP_UTF8 ? nullptr : &used_default;
  const int needed = ::WideCharToMultiByte(page, flags, wide.data(), length, nullptr, 0, nullptr, used);
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(page, flags, wide.data(), length, bytes.data(), needed, nullptr, used);
  if (replaced) *replaced = used_default != FALSE;
  return bytes;
}

}  // namespace

std::string EightBitToUtf8(std::string_view bytes) {
  const int length = static_cast<int>(bytes.size());
  const UINT page = Pages().eight_bit;
  const int needed = ::MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(page, 0, bytes.data(), length, wide.data(), needed);
  return windows::Narrow(wide);
}

std::string EncodeProfileText(std::string_view text) { return ToProfilePage(windows::Widen(text), nullptr); }

std::string CharactersOutsideProfileCodePage(std::string_view text) {
  bool replaced = false;
  ToProfilePage(windows::Widen(text), &replaced);
  if (!replaced) return {};
  std::string outside;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string character = LeftChars(rest, 1);
    rest.remove_prefix(std::max<std::size_t>(character.size(), 1));
    ToProfilePage(windows::Widen(character), &replaced);
    if (replaced && outside.find(character) == std::string::npos) outside += character;
  }
  return outside;
}

}  // namespace platform::text
