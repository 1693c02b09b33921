#include "archiver/dos_code_page.h"

#include <windows.h>

#include "platform/windows/wide.h"

namespace archiver {

std::string Utf8FromDosCodePage(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = ::MultiByteToWideChar(::GetOEMCP(), 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(::GetOEMCP(), 0, bytes.data(), length, wide.data(), needed);
  return platform::windows::Narrow(wide);
}

}  // namespace archiver
