#pragma once

#include <stdlib.h>
#include <sys/mount.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace testing_support {

// $XDG_DATA_HOME made temporary before main, before GIO reads it: no test touches the user's trash.
inline const std::string& IsolatedDataFolder() {
  static const std::string& folder = *new std::string([] {  // never destroyed: removed at exit
    std::string pattern = (std::filesystem::temp_directory_path() / "faldone-dati-XXXXXX").string();
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
inline const bool kDataFolderIsolated = !IsolatedDataFolder().empty();

// Shows from also at at while it lives; mounted is false where no mounting is allowed.
struct BindMount {
  BindMount(const std::string& from, const std::string& at)
      : at(at), mounted(::mount(from.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) == 0) {}
  ~BindMount() { if (mounted) ::umount2(at.c_str(), MNT_DETACH); }
  BindMount(const BindMount&) = delete;

  const std::string at;
  const bool mounted;
};

}  // namespace testing_support
