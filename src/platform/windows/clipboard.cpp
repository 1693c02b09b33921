#include <windows.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/clipboard.h"
#include "platform/windows/wide.h"

namespace platform::clipboard {
namespace {

// The clipboard, opened for a hidden window of ours: a clipboard opened for no window cannot
// take data. Another program (clipboard history, a remote desktop) may hold it for a moment,
// so it is asked again for about half a second.
class HeldClipboard {
 public:
  HeldClipboard() {
    static const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                ::GetModuleHandleW(nullptr), nullptr);
    for (int attempt = 0; attempt < 25 && !open_; ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      open_ = ::OpenClipboard(owner) != 0;
    }
  }
  ~HeldClipboard() {
    if (open_) ::CloseClipboard();
  }
  HeldClipboard(const HeldClipboard&) = delete;
  HeldClipboard& operator=(const HeldClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// Text handed over with SetClipboardData belongs to the system from then on, so a "Copia" can
// still be pasted after the program has ended. (The toolkit's clipboard goes through OLE, which
// takes its data back as the program ends.)
class SystemBackend final : public ClipboardBackend {
 public:
  std::optional<std::string> Text() override {
    HeldClipboard open;
    if (!open) return std::nullopt;
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* locked = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (locked == nullptr) return std::nullopt;
    // Another program's text need not end within its memory block.
    const std::wstring text(locked, ::wcsnlen(locked, ::GlobalSize(data) / sizeof(wchar_t)));
    ::GlobalUnlock(data);
    return windows::Narrow(text);
  }

  bool SetText(const std::string& text) override {
    const std::wstring wide = windows::Widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    if (void* locked = ::GlobalLock(memory)) {
      std::memcpy(locked, wide.c_str(), bytes);
      ::GlobalUnlock(memory);
      HeldClipboard open;
      if (open && ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr) return true;
    }
    ::GlobalFree(memory);  // still ours: the system takes it only when SetClipboardData succeeds
    return false;
  }
};

}  // namespace

ClipboardBackend& SystemClipboardBackend() {
  static SystemBackend backend;
  return backend;
}

}  // namespace platform::clipboard
