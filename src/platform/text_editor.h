#pragma once

#include <string>

namespace platform {

// Opens the file in the desktop's default text editor (the application for text/plain), the
// path handed over as one argument, no shell in between. False when none could be started.
[[nodiscard]] bool OpenInTextEditor(const std::string& path);

}  // namespace platform
