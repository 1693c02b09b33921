#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace testing_support {

// Stands in for the archiver where a test cares about what is run rather than about archives:
// a copy of the test archiver program (fake_archiver_program.cpp) in a folder of its own, which
// records each run's arguments (one line per run, each argument followed by "|"), writes the
// given progress lines to its standard output, waits the given time, and ends with 1 ("some files failed") when an argument holds "guasta".
// The test's CMake defines FALDONE_FAKE_ARCHIVER, the built program's path.
class FakeArchiver {
 public:
  explicit FakeArchiver(const std::string& sleep_seconds = "0", const std::string& progress_lines = "") {
    std::filesystem::copy_file(FALDONE_FAKE_ARCHIVER, path());
    folder_.Write("sleep", sleep_seconds);
    if (!progress_lines.empty()) folder_.Write("progress", progress_lines);
  }

  std::string path() const { return folder_.path() + "archivia" FALDONE_EXE_SUFFIX; }

  std::vector<std::string> Runs() const {
    std::vector<std::string> runs;
    std::istringstream in(folder_.Read("runs"));
    for (std::string line; std::getline(in, line);) runs.push_back(line);
    return runs;
  }

 private:
  TempFolder folder_;
};

}  // namespace testing_support
