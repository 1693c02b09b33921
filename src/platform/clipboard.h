#pragma once

#include <optional>
#include <string>

#include "platform/backend_slot.h"

// The system clipboard, plain text only: what other programs see and put there too.
namespace platform::clipboard {

class ClipboardBackend {
 public:
  virtual ~ClipboardBackend() = default;
  virtual std::optional<std::string> Text() = 0;
  virtual bool SetText(const std::string& text) = 0;
};

// The clipboard's text; nothing when it holds no text.
std::optional<std::string> Text();
// Replaces whatever the clipboard holds with text; false when the clipboard cannot be opened.
// On Windows the text stays there after the program has ended.
[[nodiscard]] bool SetText(const std::string& text);

using ScopedClipboardBackend = ScopedBackend<ClipboardBackend>;

// The system's own clipboard, used unless a test installs another.
ClipboardBackend& SystemClipboardBackend();

}  // namespace platform::clipboard
