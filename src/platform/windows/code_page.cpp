#include <windows.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/text.h"
#include "platform/windows/wide.h"

namespace platform::text {
namespace {

// Whether the system's ANSI code page is UTF-8 itself (a Windows option), which holds every
// character and takes no "best fit" flags.
bool AnsiIsUtf8() { return ::GetACP() == CP_UTF8; }

// The code page's bytes for wide, and whether a character had to be replaced.
std::string ToAnsi(std::wstring_view wide, bool* replaced) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  // No "best fit": "Ж" must not quietly become "?" nor "ā" become "a".
  const DWORD flags = AnsiIsUtf8() ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* used = AnsiIsUtf8() ? nullptr : &used_default;
  const int needed = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, used);
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, bytes.data(), needed, nullptr, used);
  if (replaced) *replaced = used_default != FALSE;
  return bytes;
}

}  // namespace

std::string EightBitToUtf8(std::string_view bytes) {
  const int length = static_cast<int>(bytes.size());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), needed);
  return windows::Narrow(wide);
}

std::string EncodeProfileText(std::string_view text) { return ToAnsi(windows::Widen(text), nullptr); }

std::string CharactersOutsideProfileCodePage(std::string_view text) {
  bool replaced = false;
  ToAnsi(windows::Widen(text), &replaced);
  if (!replaced) return {};
  std::string outside;
  for (std::string_view rest = text; !rest.empty();) {
    const std::string character = LeftChars(rest, 1);
    rest.remove_prefix(std::max<std::size_t>(character.size(), 1));
    ToAnsi(windows::Widen(character), &replaced);
    if (replaced && outside.find(character) == std::string::npos) outside += character;
  }
  return outside;
}

}  // namespace platform::text
