#pragma once

#include <utility>

// Services that tests replace (clipboard, the questions of file operations) each keep the
// backend installed now; nullptr means the program's own.
namespace platform {

template <typename Backend>
Backend*& InstalledBackend() {
  static Backend* installed = nullptr;
  return installed;
}

// The installed backend, or the program's own.
template <typename Backend>
Backend& InstalledOr(Backend& own) {
  Backend* installed = InstalledBackend<Backend>();
  return installed ? *installed : own;
}

// Installs backend for as long as the object lives; the previous one comes back after.
template <typename Backend>
class ScopedBackend {
 public:
  explicit ScopedBackend(Backend& backend)
      : previous_(std::exchange(InstalledBackend<Backend>(), &backend)) {}
  ~ScopedBackend() { InstalledBackend<Backend>() = previous_; }
  ScopedBackend(const ScopedBackend&) = delete;
  ScopedBackend& operator=(const ScopedBackend&) = delete;

 private:
  Backend* previous_;
};

}  // namespace platform
