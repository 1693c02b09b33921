#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reading folders for the tree and the file list. Everything in a folder that is not a folder
// (a link to a folder counts as one) is a file of the list. Hidden are names beginning with "."
// on Linux, items with the hidden attribute on Windows.
namespace explorer {

struct FileEntry {
  std::string name;
  std::uint64_t size = 0;
  bool hidden = false;
};

struct FolderFiles {
  std::vector<FileEntry> files;  // sorted with NameLess
  int error = 0;                 // errno of a read that failed part way; what came before stays
};

// 0 when path is an existing folder, else the errno that says why not.
[[nodiscard]] int FolderProblem(const std::string& path);

FolderFiles ReadFiles(const std::string& path);

// Names of the folders directly inside path, sorted with NameLess; those read before a
// failure when the folder cannot be read whole.
std::vector<std::string> ReadSubfolders(const std::string& path);

// The kernel's and the system's own file systems (/proc, /sys, /dev, /run, cgroups, ...):
// thousands of entries that no user browses, never read ahead of the user.
bool IsPseudoFileSystem(const std::string& path);

}  // namespace explorer
