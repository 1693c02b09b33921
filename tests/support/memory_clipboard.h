#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace testing_support {

// A clipboard of its own while it lives: tests never touch the display's.
class MemoryClipboard final : public platform::clipboard::ClipboardBackend {
 public:
  MemoryClipboard() : installed_(*this) {}

  std::optional<std::string> Text() override { return text_; }
  bool SetText(const std::string& text) override {
    text_ = text;
    return true;
  }
  // What another program would leave: no text at all.
  void Clear() { text_.reset(); }

 private:
  std::optional<std::string> text_;
  platform::clipboard::ScopedClipboardBackend installed_;
};

}  // namespace testing_support
