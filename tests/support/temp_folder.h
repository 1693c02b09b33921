#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// UTF-8 to a path and back: on Windows a path made from a plain string reads it in the ANSI code page.
inline std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A fresh private folder in the system's temporary folder, removed with all in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // With a closing separator; names are UTF-8, with "/" between folders on every system.
  const std::string& path() const { return path_; }

  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Names of the entries directly in the folder, sorted.
  std::string Listing() const;

 private:
  std::string path_;
};

}  // namespace testing_support
