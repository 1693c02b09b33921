#pragma once

#include <filesystem>
#include <string>

namespace archiver {

// Paths inside the archiver are UTF-8 strings; std::filesystem reads a narrow string in the
// ANSI code page on Windows, so they cross over as UTF-8 explicitly.
inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace archiver
