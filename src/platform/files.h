#pragma once

#include <cstddef>
#include <string>
#include <vector>

// File services of the profile store: whole-file replacement that never leaves a file half
// written, bounded line reading that survives any file, and wildcard search in one folder.
namespace platform::files {

// Replaces the file at path with contents: writes a temporary file in the same folder, flushes
// it to disk and renames it over the old one. On failure the old file is left exactly as it
// was, the temporary file is removed, and UserError names the file and the system's error.
void WriteAtomically(const std::string& path, const std::string& contents);

// Reads at most max_lines lines of the file at path; a line ends at CR LF, LF or a lone CR.
// Each line is cut to max_line_bytes bytes (the rest of that line is skipped), so a huge or
// binary file costs bounded memory. Returns false when the file cannot be opened.
bool ReadLines(const std::string& path, std::size_t max_lines, std::size_t max_line_bytes,
               std::vector<std::string>& lines);

// Names of the regular files directly in folder whose names match pattern, where "?" stands
// for exactly one character and "*" for any run of characters, in the order the folder lists
// them. ignore_case compares ASCII letters without regard to case.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern,
                                   bool ignore_case);

bool MatchesWildcard(const std::string& name, const std::string& pattern, bool ignore_case);

bool IsRegularFile(const std::string& path);
bool IsFolder(const std::string& path);

// Removes the file; throws UserError with the system's description when it cannot.
void RemoveFile(const std::string& path);

}  // namespace platform::files
