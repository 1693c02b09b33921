#include "main_window/restore_target.h"

namespace main_window {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

const char* const kDefaultRestoreTarget = "C:\\TMP\\";

const char* const kIncompleteTargetMessage =
    "Indicare la cartella di arrivo con il percorso completo, che inizia con il disco (C:\\) "
    "o con \\\\server\\cartella\\ !!!";

bool IsCompleteFolder(const std::string& folder) {
  // "C:\..." is complete; "C:cartella" (relative to the drive's current folder) and
  // "\cartella" (relative to the current drive) are not. "\\server\share\..." is.
  if (folder.size() >= 3 && IsDriveLetter(folder[0]) && folder[1] == ':' && IsSeparator(folder[2]))
    return true;
  return folder.size() >= 3 && IsSeparator(folder[0]) && IsSeparator(folder[1]) && !IsSeparator(folder[2]);
}

}  // namespace main_window
