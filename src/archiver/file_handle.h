#pragma once

#include <cstdint>
#include <utility>

namespace archiver {

// Owns an open file of the system (a descriptor on Linux, a handle on Windows, both kept as a
// number here so that portable code never sees either) and closes it when it goes.
class FileHandle {
 public:
  using Native = std::intptr_t;
  static constexpr Native kInvalid = -1;  // -1 is also Windows' INVALID_HANDLE_VALUE

  FileHandle() = default;
  explicit FileHandle(Native native) : native_(native) {}
  ~FileHandle() { Reset(); }
  FileHandle(FileHandle&& other) noexcept : native_(std::exchange(other.native_, kInvalid)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      native_ = std::exchange(other.native_, kInvalid);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  Native native() const { return native_; }
  bool valid() const { return native_ != kInvalid; }
  // Gives the file up to a new owner (or to a close whose result matters).
  Native Release() { return std::exchange(native_, kInvalid); }
  void Reset();

 private:
  Native native_ = kInvalid;
};

}  // namespace archiver
