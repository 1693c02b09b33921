#include "runner/run_sequence.h"

#include "runner/archiver_commands.h"

namespace runner {

Job MakeJob(int line, const std::string& description, const std::string& folder,
            const std::string& problem, const std::optional<std::string>& command_line) {
  Job job{line, description, folder, {}, {}};
  if (!problem.empty()) job.refusal = problem;
  else if (!command_line) job.refusal = kQuoteRefusal;
  else job.command_line = *command_line;
  return job;
}

RunSequence::RunSequence(std::vector<Job> jobs, RunReport& report)
    : jobs_(std::move(jobs)), report_(report) {}

bool RunSequence::Advance() {
  if (finished_) return false;
  if (hProcesso != 0) {
    int exit_code = 0;
    if (PROCESSO_ATTIVO(hProcesso, exit_code)) return true;
    const Outcome outcome = exit_code == 0                          ? Outcome::Done
                            : exit_code == kArchiverSomeFilesFailed ? Outcome::PartlyDone
                                                                    : Outcome::Failed;
    Record(jobs_[next_ - 1], outcome, exit_code);
  }
  while (next_ < jobs_.size()) {
    const Job& job = jobs_[next_++];
    report_.LineStarting(static_cast<int>(next_), static_cast<int>(jobs_.size()), job);
    if (!job.refusal.empty()) {
      Record(job, Outcome::Refused, 0);
      continue;
    }
    messages_.emplace();
    hProcesso = AVVIA_PROCESSO(job.command_line, "", &*messages_);
    if (hProcesso != 0) return true;
    Record(job, Outcome::NotStarted, 0);
  }
  // Marked first: the report may show a modal message, during which Advance may be called again.
  finished_ = true;
  report_.RunEnded(results_);
  return false;
}

void RunSequence::Record(const Job& job, Outcome outcome, int exit_code) {
  std::vector<std::string> messages;
  if (messages_) messages = messages_->FirstLines(kMessageLinesKept);
  messages_.reset();
  results_.push_back({job, outcome, exit_code, std::move(messages)});
}

}  // namespace runner
