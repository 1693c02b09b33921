#include "platform/properties.h"

#include <windows.h>
#include <aclapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/errno_text.h"
#include "platform/paths.h"
#include "platform/windows/long_path.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide.h"

namespace platform::properties {
namespace {

// FILETIME counts 100 ns steps from 1601; time_t seconds from 1970.
std::time_t ToTimeT(const FILETIME& time) {
  const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return static_cast<std::time_t>((ticks - 116444736000000000ULL) / 10000000ULL);
}

std::string Attributes(DWORD attributes) {
  const std::pair<DWORD, const char*> words[] = {{FILE_ATTRIBUTE_READONLY, "sola lettura"},
                                                 {FILE_ATTRIBUTE_HIDDEN, "nascosto"},
                                                 {FILE_ATTRIBUTE_SYSTEM, "di sistema"},
                                                 {FILE_ATTRIBUTE_ARCHIVE, "archivio"}};
  std::string text;
  for (const auto& [bit, word] : words)
    if (attributes & bit) text += (text.empty() ? "" : ", ") + std::string(word);
  return text.empty() ? "nessun attributo" : text;
}

std::string Owner(const std::wstring& path) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
    return "sconosciuto";
  wchar_t name[256];
  wchar_t domain[256];
  DWORD name_length = 256;
  DWORD domain_length = 256;
  SID_NAME_USE use{};
  std::string text = "sconosciuto";
  if (::LookupAccountSidW(nullptr, owner, name, &name_length, domain, &domain_length, &use))
    text = domain_length > 0 ? windows::Narrow(std::wstring(domain) + L"\\" + name)
                             : windows::Narrow(name);
  ::LocalFree(descriptor);
  return text;
}

}  // namespace

ItemProperties Gather(const std::string& path) {
  ItemProperties item;
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == paths::kSeparator &&
         trimmed != paths::DriveRoot(trimmed))
    trimmed.pop_back();
  const auto slash = trimmed.find_last_of(paths::kSeparator);
  const bool root = trimmed == paths::DriveRoot(trimmed);
  item.name = slash == std::string::npos || root ? trimmed : trimmed.substr(slash + 1);
  item.location = root ? trimmed : paths::FolderOf(trimmed);
  const std::wstring wide = windows::LongPath(trimmed);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
    const std::string why = ErrnoText(windows::LastErrno());
    item.kind = item.size = item.modified = item.permissions = item.owner = why;
    return item;
  }
  item.is_folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  item.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? "Collegamento"
              : item.is_folder                                     ? "Cartella"
                                                                   : "File";
  if (!item.is_folder)
    item.size = ByteCount((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                          data.nFileSizeLow);
  item.modified = LocalTimeText(ToTimeT(data.ftLastWriteTime));
  item.permissions = Attributes(data.dwFileAttributes);
  item.owner = Owner(wide);
  return item;
}

void ShowItemProperties(const std::string& path) {
  // The shell's own sheet, shown without blocking; ours when the shell cannot show one.
  if (!::SHObjectProperties(nullptr, SHOP_FILEPATH, windows::Widen(path).c_str(), nullptr))
    ShowOwnProperties(path);
}

}  // namespace platform::properties
