#pragma once

#include <string>

namespace platform {

// Opens a document with the system's default application for it, no shell in between. On
// Windows its window opens maximised; on Linux that style has no meaning for another
// program's window and is not passed. Returns false when the document does not exist or no
// application could be started for it.
[[nodiscard]] bool OpenDocument(const std::string& path);

// The help page: the program folder's HELP/FALDONE.htm; on Windows, when that one cannot be
// opened, C:\FALDONE\HELP\FALDONE.htm. False when none can be opened.
[[nodiscard]] bool OpenHelpPage();

}  // namespace platform
