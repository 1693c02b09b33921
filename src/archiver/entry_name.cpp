#include "archiver/entry_name.h"

#include <zip.h>

#include "archiver/item_error.h"

namespace archiver {

namespace {

std::vector<std::string> Split(const std::string& name, const char* separators) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = name.find_first_of(separators, start);
    parts.push_back(name.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

[[noreturn]] void Refuse(const std::string& name, const std::string& reason) {
  throw ItemError("voce rifiutata \"" + name + "\": " + reason);
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

Backslash BackslashIn(std::uint8_t made_on) {
  switch (made_on) {
    case ZIP_OPSYS_DOS:
    case ZIP_OPSYS_OS_2:
    case ZIP_OPSYS_WINDOWS_NTFS:
    case ZIP_OPSYS_VFAT:
      return Backslash::kSeparator;
    default:
      return Backslash::kCharacter;
  }
}

std::vector<std::string> SplitEntryName(const std::string& name, Backslash backslash) {
  const bool backslash_separates = backslash == Backslash::kSeparator;
  if (!name.empty() && (name[0] == '/' || (backslash_separates && name[0] == '\\'))) Refuse(name, "percorso assoluto");
  if (name.size() >= 2 && IsLetter(name[0]) && name[1] == ':') Refuse(name, "percorso con lettera di unità");
  std::vector<std::string> components;
  for (std::string& part : Split(name, backslash_separates ? "/\\" : "/")) {
    if (part == "..") Refuse(name, "risale fuori dalla cartella di destinazione");
    if (!part.empty() && part != ".") components.push_back(std::move(part));
  }
  if (components.empty()) Refuse(name, "nome vuoto");
  return components;
}

}  // namespace archiver
