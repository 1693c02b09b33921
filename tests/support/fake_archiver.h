#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace testing_support {

// The test archiver (fake_archiver_program.cpp) as a command line of steps, run where it was built.
inline std::string FakeArchiverSteps(const std::string& steps) { return "\"" FALDONE_FAKE_ARCHIVER "\" " + steps; }

// A copy of the test archiver in a folder of its own: records each run, tells the given progress,
// waits the given seconds, and ends with 1 ("some files failed") when an argument holds "guasta".
class FakeArchiver {
 public:
  explicit FakeArchiver(const std::string& sleep_seconds = "0", const std::string& progress_lines = "") {
    std::filesystem::copy_file(FALDONE_FAKE_ARCHIVER, path());
    folder_.Write("sleep", sleep_seconds);
    if (!progress_lines.empty()) folder_.Write("progress", progress_lines);
  }

  std::string path() const { return folder_.path() + "archivia" FALDONE_EXE_SUFFIX; }

  // One line per run, each argument followed by "|".
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
