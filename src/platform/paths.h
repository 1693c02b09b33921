#pragma once

#include <string>

// Paths as the windows write them: "/" separates on Linux, where the root of any path is "/";
// "\" on Windows, where absolute paths start with a drive root "C:\" or a share "\\server\share\".
// The data folder and every folder path end in the separator.
namespace platform::paths {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
inline constexpr const char* kProgramSuffix = ".exe";
#else
inline constexpr char kSeparator = '/';
inline constexpr const char* kProgramSuffix = "";
#endif

// The folder holding the running program, with a closing separator.
std::string ProgramFolder();

// The folder part of path (everything before its last separator), without a closing one
// unless it is a root ("/", "C:\").
std::string FolderOf(const std::string& path);

// folder + name with exactly one separator between them.
std::string Join(const std::string& folder, const std::string& name);

// The root that a stored path lives under, with its closing separator: "/" on Linux whatever
// the path; on Windows the drive root ("C:\" for "C:\DOC\") or the share ("\\server\dati\").
// Empty on Windows for a path that is not absolute.
std::string DriveRoot(const std::string& path);

// True for a whole path that does not depend on the folder the program runs in: "/..." on
// Linux; "X:\..." or "\\server\share..." on Windows (where "C:DOC" and "\DOC" are not).
bool IsAbsolute(const std::string& path);

// True when text can be the name of a file directly inside a folder on every platform this
// program runs on: not empty, not "." or "..", no separator of either kind, no control
// character and none of the characters a Windows file name cannot hold.
bool IsPlainFileName(const std::string& text);

// Whether a and b name the same path as the file system compares names: byte for byte on
// Linux; on Windows without regard to case ("E:\$RECYCLE.BIN" is "e:\$Recycle.Bin").
bool SamePath(const std::string& a, const std::string& b);

// Whether path is folder itself or lies below it, names compared as SamePath does. Whole
// names only: "/media/usb" does not hold "/media/usb2".
bool IsWithin(const std::string& path, const std::string& folder);

}  // namespace platform::paths
