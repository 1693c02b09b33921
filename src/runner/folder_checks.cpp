#include "runner/folder_checks.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/errno_text.h"
#include "platform/text.h"
#include "runner/archiver_commands.h"

namespace runner {
namespace {

CheckedFolder Problem(const std::string& problem) { return {{}, problem}; }

}  // namespace

CheckedFolder CheckFolderToSave(const std::string& folder) {
  if (platform::text::Trim(folder).empty()) return Problem("la cartella da salvare non è indicata");
  if (folder.find('"') != std::string::npos) return Problem(std::string(kQuoteRefusal) + ": " + folder);
  // A relative path would be read from wherever the program happens to run.
  if (!folder.starts_with('/')) return Problem("la cartella non esiste: " + folder);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Problem("la cartella non esiste: " + folder);
    return Problem("impossibile raggiungere la cartella " + folder + ": " + platform::ErrnoText(errno));
  }
  if (!S_ISDIR(st.st_mode)) return Problem("non è una cartella: " + folder);
  return {folder.ends_with('/') ? folder : folder + "/", {}};
}

}  // namespace runner
