#pragma once

#include <string>

// Paths as the windows write them. On this platform the separator is "/", so the data folder
// and every folder path end in "/", and the root of any path is "/".
namespace platform::paths {

inline constexpr char kSeparator = '/';

// The folder holding the running program, with a closing separator.
std::string ProgramFolder();

// The folder part of path (everything before its last separator), without a closing one.
std::string FolderOf(const std::string& path);

// folder + name with exactly one separator between them.
std::string Join(const std::string& folder, const std::string& name);

// The root that a stored path lives under: "/" here, whatever the path.
std::string DriveRoot(const std::string& path);

// True when text can be the name of a file directly inside a folder on every platform this
// program runs on: not empty, not "." or "..", no separator of either kind, no control
// character and none of the characters a Windows file name cannot hold.
bool IsPlainFileName(const std::string& text);

}  // namespace platform::paths
