#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runner/process_runner.h"
#include "runner/run_sequence.h"
#include "support/poll_until.h"

namespace testing_support {

// Polls as a window would and gives the exit code; -100 if it never ends.
inline int ExitCode(runner::ProcessHandle& handle) {
  int exit_code = -100;
  PollUntil([&] { return !runner::PROCESSO_ATTIVO(handle, exit_code); });
  return exit_code;
}

struct RecordingReport : runner::RunReport {
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
  std::vector<std::string> started, progress;
  std::vector<runner::LineResult> results;
  int ends = 0;
};

inline runner::Job Line(int line, const std::string& command_line, const std::string& refusal = "") {
  return runner::Job{line, "Riga " + std::to_string(line), "/dati/" + std::to_string(line) + "/",
                     command_line, refusal};
}

// Steps the run as the window's timer does, without a window, and gives its report.
inline RecordingReport RunAll(const std::vector<runner::Job>& jobs) {
  RecordingReport report;
  runner::RunSequence run(jobs, report);
  PollUntil([&] { return !run.Advance(); });
  EXPECT_TRUE(run.finished());
  EXPECT_FALSE(run.Advance());
  EXPECT_EQ(report.ends, 1);
  return report;
}

}  // namespace testing_support
