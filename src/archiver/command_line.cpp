#include "archiver/command_line.h"

#include <algorithm>
#include <set>

#include "archiver/entry_name.h"

namespace archiver {

namespace {

// "*.*" stands for every name, those without a dot too.
constexpr char kEveryName[] = "*.*";

// The folder before "/*.*" (on Windows also "\*.*"); a pattern of "/*.*" alone is the root.
std::optional<std::string> FolderOfPattern(const std::string& pattern) {
  const std::string suffix = kEveryName;
  if (pattern.size() < suffix.size() + 1 ||
      pattern.compare(pattern.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::nullopt;
  const bool windows = kSystemNameRules == NameRules::kWindows;
  const char separator = pattern[pattern.size() - suffix.size() - 1];
  if (separator != '/' && !(windows && separator == '\\')) return std::nullopt;
  std::string folder = pattern.substr(0, pattern.size() - suffix.size() - 1);
  if (folder.empty()) return std::string(1, separator);
  if (windows && folder.size() == 2 && folder[1] == ':') folder += separator;  // "C:\*.*": the root, not C:'s current folder
  return folder;
}

}  // namespace

std::optional<Command> ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  std::set<std::string> options(arguments.begin(), arguments.end() - 2);
  if (options.size() != arguments.size() - 2) return std::nullopt;  // an option given twice
  options.erase("-min");
  const std::string& archive = arguments[arguments.size() - 2];
  const std::string& last = arguments.back();
  if (archive.empty() || last.empty() || archive[0] == '-' || last[0] == '-') return std::nullopt;

  if (options == std::set<std::string>{"-a", "-r", "-p"}) {
    const std::optional<std::string> folder = FolderOfPattern(last);
    if (!folder) return std::nullopt;
    return Command{Command::Kind::kBackup, archive, *folder};
  }
  if (options == std::set<std::string>{"-e", "-o"}) return Command{Command::Kind::kRestore, archive, last};
  return std::nullopt;
}

std::string UsageText() {
  return "uso: archivia -min -a -r -p ARCHIVIO \"CARTELLA/*.*\"\n"
         "       copia nell'archivio i file e le cartelle sotto CARTELLA, con il loro percorso;\n"
         "       un archivio esistente viene aggiornato\n"
         "     archivia -min -e -o ARCHIVIO DESTINAZIONE\n"
         "       estrae tutto l'archivio sotto DESTINAZIONE (\"/\" rimette i file al loro posto)\n";
}

}  // namespace archiver
