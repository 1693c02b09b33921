#pragma once

#include <string>

namespace runner {

// A folder line's folder as the archiver should get it, or why the line cannot be saved.
struct CheckedFolder {
  std::string folder;   // ends with the separator; empty when there is a problem
  std::string problem;  // in Italian, naming the folder; empty when the line can run
};

// Looks at the folder before any archiver starts, so that each line fails with one plain reason
// rather than with the archiver's usage text: it must be given, hold no double quote, be a
// whole path (on Linux "C:\DOC\" carried over from a Windows profile is not; on Windows
// "/home/..." is not) and be a folder that exists. A folder written without its closing
// separator gets one, since "*.*" goes right after it.
CheckedFolder CheckFolderToSave(const std::string& folder);

}  // namespace runner
