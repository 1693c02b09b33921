#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "runner/run_sequence.h"

namespace testing_support {

class RecordingReport : public runner::RunReport {
 public:
  void LineStarting(int position, int count, const runner::Job& job) override {
    started.push_back(std::to_string(position) + "/" + std::to_string(count) + " line " +
                      std::to_string(job.line));
  }
  void LineProgress(int position, int, const runner::Job&, const std::string& figures) override {
    progress.push_back(std::to_string(position) + ": " + figures);
  }
  void RunEnded(const std::vector<runner::LineResult>& r) override {
    ++ends;
    results = r;
  }
  std::vector<std::string> started;
  std::vector<std::string> progress;
  std::vector<runner::LineResult> results;
  int ends = 0;
};

inline runner::Job Line(int line, const std::string& command_line, const std::string& refusal = "") {
  return runner::Job{line, "Riga " + std::to_string(line), "/dati/" + std::to_string(line) + "/",
                     command_line, refusal};
}

// Steps the run as the window's timer does, without a window.
inline void RunToTheEnd(runner::RunSequence& run) {
  for (int i = 0; i < 2000 && run.Advance(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace testing_support
