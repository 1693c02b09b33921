#include "platform/clipboard.h"

namespace platform::clipboard {

std::optional<std::string> Text() { return InstalledOr(SystemClipboardBackend()).Text(); }
bool SetText(const std::string& text) { return InstalledOr(SystemClipboardBackend()).SetText(text); }

}  // namespace platform::clipboard
