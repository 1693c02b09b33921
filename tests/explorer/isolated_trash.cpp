#include "explorer/isolated_trash.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace testing_support {

const std::string& IsolatedDataFolder() {
  // Never destroyed: the removal at exit runs after the statics are gone.
  static const std::string& folder = *new std::string([] {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "faldone-dati-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::perror("mkdtemp");
    ::setenv("XDG_DATA_HOME", pattern.c_str(), 1);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(IsolatedDataFolder(), ignored);
    });
    return pattern + "/";
  }());
  return folder;
}

std::string IsolatedTrashFolder() { return IsolatedDataFolder() + "Trash"; }

namespace {
// Before main, and so before the toolkit or GIO first read the variable.
const bool kDataFolderIsolated = !IsolatedDataFolder().empty();
}  // namespace

}  // namespace testing_support
