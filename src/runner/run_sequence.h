#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "runner/process_runner.h"
#include "runner/progress_line.h"

// A backup or restore run: one archiver process per folder line, strictly one after the other.
namespace runner {

struct Job {
  int line = 0;              // folder-line number
  std::string description;   // the line's description, for progress and the end message
  std::string folder;        // the line's folder path, for the end message
  std::string command_line;  // what runs; empty when the line is refused
  std::string refusal;       // why the line cannot run, in Italian; empty when it can
};

// The job for one line: refused for problem when there is one, or for a double quote in a path
// when no command line could be written; otherwise it runs command_line.
Job MakeJob(int line, const std::string& description, const std::string& folder,
            const std::string& problem, const std::optional<std::string>& command_line);

enum class Outcome {
  Done,        // the archiver ended with 0
  PartlyDone,  // the archiver ended with "some files failed"
  Failed,      // the archiver ended with any other code
  CommandRefused,  // the archiver could not read its command line
  NotStarted,  // the archiver could not be started
  Refused,     // the line was never run (see Job::refusal)
};

struct LineResult {
  Job job;
  Outcome outcome = Outcome::Done;
  int exit_code = 0;
  std::vector<std::string> messages;  // the archiver's first messages about items, if any
};

// How many of the archiver's messages a result keeps, and how many characters of each: enough
// to name the first files that failed, not so many that the end message becomes a log.
inline constexpr std::size_t kMessageLinesKept = 6;
inline constexpr std::size_t kMessageCharactersKept = 200;

// What the run tells its window (or a test) as it goes.
class RunReport {
 public:
  virtual ~RunReport() = default;
  // Line number position (1-based) of count is about to run.
  virtual void LineStarting(int position, int count, const Job& job) = 0;
  // The running line has told how far it has come; figures are the banner's (see
  // ProgressFigures), told only when they change. An archiver that tells nothing never calls it.
  virtual void LineProgress(int position, int count, const Job& job, const std::string& figures) = 0;
  // Every line has ended; called once. The report may show a modal message here.
  virtual void RunEnded(const std::vector<LineResult>& results) = 0;
};

// Steps through the jobs without ever blocking: each Advance starts the next line when none
// runs, or looks once whether the running archiver has ended.
class RunSequence {
 public:
  RunSequence(std::vector<Job> jobs, RunReport& report);

  // False once the run has ended (RunEnded has then been called, exactly once).
  bool Advance();
  bool finished() const { return finished_; }

 private:
  void ReadProgress();
  void RecordEnd(const Job& job, int exit_code);
  void Record(const Job& job, Outcome outcome, int exit_code, std::vector<std::string> messages = {});

  std::vector<Job> jobs_;
  RunReport& report_;
  std::size_t next_ = 0;
  ProcessHandle hProcesso;
  // What the running line's archiver says: its messages, read once it has ended, and its
  // progress, read as it goes.
  struct Running {
    platform::process::CapturedOutput messages;
    platform::process::OutputPipe progress;
    ProgressLines lines;
    std::optional<std::chrono::steady_clock::time_point> first_figures;
    std::string figures;  // as last told
  };
  std::optional<Running> running_;
  std::vector<LineResult> results_;
  bool finished_ = false;
};

}  // namespace runner
