#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// File services of the profile store: whole-file replacement that never leaves a file half
// written, bounded line reading that survives any file, and wildcard search in one folder.
namespace platform::files {

// Replaces the file at path with contents: writes a temporary file in the same folder, flushes
// it to disk and renames it over the old one. The new file keeps the old one's permissions (and
// its owner and group where this process may set them); a file that did not exist gets the
// permissions the umask leaves of 0666. On Windows the old file's attributes and access rights
// carry over to the new one, and a file held open for a moment (an antivirus, the indexer) is
// tried again for about a second. Refuses, with UserError, to replace anything that is not a
// regular file or that could not be written in place: a file this process may not open for
// writing, or one that nobody may write (read-only; on Windows the read-only attribute). On any
// failure UserError names the file and the reason, and the old file is left exactly as it was,
// with no temporary file behind; only when Windows stopped halfway through the swap is the new
// text kept beside, and the message says in which file.
void WriteAtomically(const std::string& path, const std::string& contents);

// What ReadLines found at the start of a file.
struct LinesRead {
  std::vector<std::string> lines;
  // errno when the file could not be opened or read (ENOENT: it does not exist; EISDIR: it is a
  // folder; EINVAL: it is not a regular file); lines is then empty. On Windows the system's
  // own codes are mapped to these, and to EACCES or EIO for the rest.
  int error = 0;
  // Why, in Italian, as the system said it; empty when error is 0.
  std::string reason;
  // Reading stopped at a line longer than the bound; that line is not in lines.
  bool line_too_long = false;
};

// Reads the lines of the regular file at path from its start, at most max_lines of them; a line
// ends at CR LF, LF or a lone CR. Reading stops at the first line longer than max_line_bytes,
// without reading the rest of it, so that any file, however large, binary or short of line
// breaks, costs a bounded read. A file that is not a regular one (a pipe, a device) is never
// read, so it cannot block the caller.
LinesRead ReadLines(const std::string& path, std::size_t max_lines, std::size_t max_line_bytes);

// Names of the regular files directly in folder whose names match pattern, where "?" stands
// for exactly one character and "*" for any run of characters, in the order the folder lists
// them. ignore_case compares ASCII letters without regard to case.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern,
                                   bool ignore_case);

// Names of the folders directly in folder (a link to one counts) that are not hidden: no
// leading "." on Linux, no hidden attribute on Windows; in the order the folder lists them.
// Nothing when the folder cannot be read, a drive that is not ready among them.
std::optional<std::vector<std::string>> VisibleSubfolders(const std::string& folder);

// Whether the system's own searches match file names without regard to case: on Windows
// "0612_1_1.zip" is the archive 0612_1_1.ZIP; on Linux they are two files.
#ifdef _WIN32
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

bool MatchesWildcard(const std::string& name, const std::string& pattern, bool ignore_case);

// What a path leads to, links followed.
struct PathStatus {
  enum class Kind { Missing, Folder, NotFolder, Unreachable };
  Kind kind = Kind::Missing;
  std::string reason;  // why it could not be reached (Unreachable), in Italian
};
PathStatus StatusOf(const std::string& path);

bool IsRegularFile(const std::string& path);
bool IsFolder(const std::string& path);

// Removes the file; throws UserError with the system's description when it cannot.
void RemoveFile(const std::string& path);

}  // namespace platform::files
