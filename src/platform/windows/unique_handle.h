#pragma once

#include <windows.h>

#include <utility>

namespace platform::windows {

// Owns a Windows handle and closes it when it goes. INVALID_HANDLE_VALUE and null both mean
// none, as CreateFileW and the process calls give them.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, so that a failed close is seen.
  bool Close() {
    const bool closed = !valid() || ::CloseHandle(handle_) != 0;
    handle_ = nullptr;
    return closed;
  }

 private:
  void Reset() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

  HANDLE handle_ = nullptr;
};

}  // namespace platform::windows
