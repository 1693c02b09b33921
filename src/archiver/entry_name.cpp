#include "archiver/entry_name.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "archiver/dos_code_page.h"
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

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices in every folder, whatever follows a dot.
bool IsDeviceName(const std::string& name) {
  std::string stem;
  for (const char c : name.substr(0, name.find('.'))) stem += Upper(c);
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
         stem[3] <= '9';
}

}  // namespace

std::optional<std::string> EntryName(zip_t* archive, zip_uint64_t index) {
  // libzip has already put the Unicode Path field's name in the stored one's place.
  const char* stored = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
  if (stored == nullptr) return std::nullopt;
  // A name made on Unix is the file's own bytes, whatever they are: Linux gets them back as they
  // were saved.
  zip_uint8_t made_on = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive, index, 0, &made_on, &attributes) != 0) return std::nullopt;
  if (BackslashIn(made_on) == Backslash::kCharacter) return std::string(stored);
  // Guessing, libzip gives back a name that is ASCII or UTF-8 as stored and converts any other,
  // though from code page 437 whatever the system.
  const char* guessed = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
  if (guessed == nullptr || std::strcmp(stored, guessed) == 0) return std::string(stored);
  return Utf8FromDosCodePage(stored);
}

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

std::string WindowsNameProblem(const std::string& name) {
  if (name.find(':') != std::string::npos) return "flusso di dati alternativo o lettera di unità";
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\*?\"<>|").find(c) != std::string_view::npos)
      return "carattere non ammesso in un nome di Windows";
  if (IsDeviceName(name)) return "nome riservato a un dispositivo di Windows";
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) return "nome che finisce con un punto o uno spazio";
  return {};
}

std::string WindowsEntryName(const std::string& path) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  std::size_t start = 0;
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
    start = 2;
  } else if (path.size() >= 2 && separator(path[0]) && separator(path[1])) {
    // "\\server\share": the server's name, then the share's.
    start = 2;
    for (int part = 0; part < 2; ++part) {
      while (start < path.size() && separator(path[start])) ++start;
      while (start < path.size() && !separator(path[start])) ++start;
    }
  }
  while (start < path.size() && separator(path[start])) ++start;
  std::string name = path.substr(start);
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::vector<std::string> SplitEntryName(const std::string& name, Backslash backslash, NameRules rules) {
  const bool backslash_separates = backslash == Backslash::kSeparator;
  if (!name.empty() && (name[0] == '/' || (backslash_separates && name[0] == '\\'))) Refuse(name, "percorso assoluto");
  if (name.size() >= 2 && IsLetter(name[0]) && name[1] == ':') Refuse(name, "percorso con lettera di unità");
  std::vector<std::string> components;
  for (std::string& part : Split(name, backslash_separates ? "/\\" : "/")) {
    if (part == "..") Refuse(name, "risale fuori dalla cartella di destinazione");
    if (part.empty() || part == ".") continue;
    if (rules == NameRules::kWindows) {
      const std::string problem = WindowsNameProblem(part);
      if (!problem.empty()) Refuse(name, problem);
    }
    components.push_back(std::move(part));
  }
  if (components.empty()) Refuse(name, "nome vuoto");
  return components;
}

}  // namespace archiver
