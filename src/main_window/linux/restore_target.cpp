#include "main_window/restore_target.h"

namespace main_window {

const char* const kDefaultRestoreTarget = "/tmp/";

const char* const kIncompleteTargetMessage =
    "Indicare la cartella di arrivo con il percorso completo, che inizia con / !!!";

bool IsCompleteFolder(const std::string& folder) { return folder.starts_with('/'); }

}  // namespace main_window
