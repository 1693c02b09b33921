#include "runner/archiver_commands.h"

#include "platform/paths.h"

namespace runner {
namespace {

bool HoldsQuote(const std::string& s) { return s.find('"') != std::string::npos; }

// A path as one word of the command line: as it is unless a blank would split it.
std::string Word(const std::string& path) {
  return path.find_first_of(" \t") == std::string::npos ? path : "\"" + path + "\"";
}

std::optional<std::string> CommandLine(const std::string& archiver, const std::string& options,
                                       const std::string& archive, const std::string& last) {
  if (HoldsQuote(archiver) || HoldsQuote(archive) || HoldsQuote(last)) return std::nullopt;
  return Word(archiver) + " " + options + " " + Word(archive) + " \"" + last + "\"";
}

}  // namespace

std::string ArchiverPath() {
  return platform::paths::ProgramFolder() + "archivia" + platform::paths::kProgramSuffix;
}

std::optional<std::string> BackupCommandLine(const std::string& archiver, const std::string& archive,
                                             const std::string& folder) {
  return CommandLine(archiver, "-min -a -r -p", archive, folder + "*.*");
}

std::optional<std::string> RestoreCommandLine(const std::string& archiver, const std::string& archive,
                                              const std::string& target) {
  return CommandLine(archiver, "-min -e -o", archive, target);
}

}  // namespace runner
