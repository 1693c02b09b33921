#pragma once

#include <string>

namespace testing_support {

// A fresh folder, private to its owner, in the system's temporary folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a closing separator, as the data folder is written; names are UTF-8, and
  // a name may use "/" between folders on every system.
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
