#include "runner/folder_checks.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runner/archiver_commands.h"

namespace runner {
namespace {

CheckedFolder Problem(const std::string& problem) { return {{}, problem}; }

}  // namespace

CheckedFolder CheckFolderToSave(const std::string& folder) {
  using Kind = platform::files::PathStatus::Kind;
  if (platform::text::Trim(folder).empty()) return Problem("la cartella da salvare non è indicata");
  if (folder.find('"') != std::string::npos) return Problem(std::string(kQuoteRefusal) + ": " + folder);
  // A relative path would be read from wherever the program happens to run.
  if (!platform::paths::IsAbsolute(folder)) return Problem("la cartella non esiste: " + folder);
  const platform::files::PathStatus status = platform::files::StatusOf(folder);
  if (status.kind == Kind::Missing) return Problem("la cartella non esiste: " + folder);
  if (status.kind == Kind::Unreachable)
    return Problem("impossibile raggiungere la cartella " + folder + ": " + status.reason);
  if (status.kind == Kind::NotFolder) return Problem("non è una cartella: " + folder);
  constexpr char kSeparator = platform::paths::kSeparator;
  return {folder.ends_with(kSeparator) ? folder : folder + kSeparator, {}};
}

}  // namespace runner
