#pragma once

#include <string>

namespace platform {

// Opens a document with the system's default application for it, no shell in between. On
// Windows its window opens maximised; on Linux that style has no meaning for another
// program's window and is not passed. Returns false when the document does not exist or no
// application could be started for it.
[[nodiscard]] bool OpenDocument(const std::string& path);

// Opens a file chosen in the explorer with the shell's "open" verb, in a normal window, with
// folder as the working folder of what starts: a batch file or an older program looks for its
// files there. Linux's desktop starts the file's application in a folder of its own choosing,
// so folder is not passed there. False as for OpenDocument.
[[nodiscard]] bool OpenFileIn(const std::string& path, const std::string& folder);

// The help page: the program folder's HELP/FALDONE.htm; on Windows, when that one cannot be
// opened, C:\FALDONE\HELP\FALDONE.htm. False when none can be opened.
[[nodiscard]] bool OpenHelpPage();

}  // namespace platform
