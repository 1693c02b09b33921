#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace testing_support {

// Stands in for the archiver where a test cares about what is run rather than about archives:
// a script that records each run's arguments (one line per run, each argument followed by
// "|"), waits the given time, and ends with 1 ("some files failed") when an argument holds
// "guasta".
class FakeArchiver {
 public:
  explicit FakeArchiver(const std::string& sleep_seconds = "0") {
    folder_.Write("archivia",
                  "#!/bin/sh\n"
                  "for a in \"$@\"; do printf '%s|' \"$a\"; done >> '" + folder_.path() + "runs'\n"
                  "echo >> '" + folder_.path() + "runs'\n"
                  "sleep " + sleep_seconds + "\n"
                  "case \"$*\" in *guasta*) exit 1;; esac\n");
    std::filesystem::permissions(path(), std::filesystem::perms::owner_all);
  }

  std::string path() const { return folder_.path() + "archivia"; }

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
