#pragma once

#include <string>

namespace platform {

// Opens a document with the desktop's default application, no shell in between. The window
// style "maximised" has no meaning for another program's window here and is not passed.
// Returns false when no application could be started for it.
[[nodiscard]] bool OpenDocument(const std::string& path);

// The help page: the program folder's HELP/FALDONE.htm. False when it cannot be opened.
[[nodiscard]] bool OpenHelpPage();

}  // namespace platform
