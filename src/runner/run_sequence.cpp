#include "runner/run_sequence.h"

#include "platform/text.h"
#include "runner/archiver_commands.h"
#include "runner/progress_text.h"

namespace runner {
namespace {

// Lines read from the archiver's standard error: its item messages come first, but room is
// left for a few lines of anything else.
constexpr std::size_t kLinesRead = 4 * kMessageLinesKept;

// Read at most at each look: the archiver writes a few short lines a second, but another program
// may write much more there, and it must never wait for room.
constexpr std::size_t kProgressBytesPerLook = 256 * 1024;

// The archiver's one-line messages about items, cut to a readable length; anything else it
// wrote (its usage text) is no concern of the user's. File names in them are bytes as the disk
// holds them: one that is not UTF-8 is read as 8-bit text rather than blank the whole message.
std::vector<std::string> ItemMessages(const std::vector<std::string>& said) {
  std::vector<std::string> kept;
  for (const std::string& line : said) {
    if (!line.starts_with(kArchiverMessagePrefix)) continue;
    if (kept.size() == kMessageLinesKept) break;
    const std::string text = platform::text::DecodeProfileText(line);
    kept.push_back(platform::text::CharCount(text) <= kMessageCharactersKept
                       ? text
                       : platform::text::LeftChars(text, kMessageCharactersKept) + "...");
  }
  return kept;
}

Outcome OutcomeOf(int exit_code, const std::vector<std::string>& said) {
  if (exit_code == 0) return Outcome::Done;
  if (exit_code == kArchiverSomeFilesFailed) return Outcome::PartlyDone;
  if (exit_code == kArchiverNothingDone && !said.empty() && said.front().starts_with(kArchiverUsagePrefix))
    return Outcome::CommandRefused;
  return Outcome::Failed;
}

}  // namespace

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
  if (hProcesso) {
    int exit_code = 0;
    const bool active = PROCESSO_ATTIVO(hProcesso, exit_code);
    ReadProgress();
    if (active) return true;
    RecordEnd(jobs_[next_ - 1], exit_code);
  }
  while (next_ < jobs_.size()) {
    const Job& job = jobs_[next_++];
    report_.LineStarting(static_cast<int>(next_), static_cast<int>(jobs_.size()), job);
    if (!job.refusal.empty()) {
      Record(job, Outcome::Refused, 0);
      continue;
    }
    running_.emplace();
    hProcesso = AVVIA_PROCESSO(job.command_line, "", &running_->messages, &running_->progress);
    if (hProcesso) return true;
    Record(job, Outcome::NotStarted, 0);
  }
  // Marked first: the report may show a modal message, during which Advance may be called again.
  finished_ = true;
  report_.RunEnded(results_);
  return false;
}

void RunSequence::ReadProgress() {
  const std::optional<Progress> progress = running_->lines.Add(running_->progress.ReadAvailable(kProgressBytesPerLook));
  if (!progress) return;
  const auto now = std::chrono::steady_clock::now();
  if (!running_->first_figures) running_->first_figures = now;
  std::string figures =
      ProgressFigures(*progress, std::chrono::duration_cast<std::chrono::milliseconds>(now - *running_->first_figures));
  if (figures == running_->figures) return;
  running_->figures = std::move(figures);
  report_.LineProgress(static_cast<int>(next_), static_cast<int>(jobs_.size()), jobs_[next_ - 1], running_->figures);
}

void RunSequence::RecordEnd(const Job& job, int exit_code) {
  const std::vector<std::string> said = running_->messages.FirstLines(kLinesRead);
  Record(job, OutcomeOf(exit_code, said), exit_code, ItemMessages(said));
}

void RunSequence::Record(const Job& job, Outcome outcome, int exit_code, std::vector<std::string> messages) {
  running_.reset();
  results_.push_back({job, outcome, exit_code, std::move(messages)});
}

}  // namespace runner
