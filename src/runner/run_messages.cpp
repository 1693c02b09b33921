#include "runner/run_messages.h"

#include <algorithm>

#include "platform/dialogs.h"
#include "runner/archiver_commands.h"

namespace runner {
namespace {

struct Words {
  const char* done;
  const char* incomplete;
  const char* failed_count;
  const char* failed_heading;
  const char* done_heading;
  const char* some_files_failed;
  const char* nothing_done;
};

constexpr Words kBackupWords{
    kBackupDone,
    "ATTENZIONE: COPIA NON COMPLETA !!!",
    "Cartelle non salvate o salvate solo in parte: ",
    "Cartelle NON salvate o salvate solo in parte:",
    "Cartelle salvate:",
    "alcuni file non sono stati salvati",
    "nessun file salvato",
};

constexpr Words kRestoreWords{
    kRestoreDone,
    "ATTENZIONE: RIPRISTINO NON COMPLETO !!!",
    "Cartelle non ripristinate o ripristinate solo in parte: ",
    "Cartelle NON ripristinate o ripristinate solo in parte:",
    "Cartelle ripristinate:",
    "alcuni file non sono stati ripristinati",
    "nessun file ripristinato",
};

std::string Reason(const Words& words, const LineResult& result) {
  switch (result.outcome) {
    case Outcome::Done: return {};
    case Outcome::PartlyDone: return words.some_files_failed;
    case Outcome::Failed:
      if (result.exit_code == kArchiverNothingDone) return words.nothing_done;
      return "il programma di archiviazione si è interrotto (codice " + std::to_string(result.exit_code) + ")";
    case Outcome::CommandRefused: return "il programma di archiviazione ha rifiutato la riga di comando";
    case Outcome::NotStarted: return "impossibile avviare il programma di archiviazione";
    case Outcome::Refused: return result.job.refusal;
  }
  return {};
}

// "riga 3  Posta  (/home/anna/.posta/)", the folder left out when there is none or when the
// reason already ends with it.
std::string LineName(const Job& job, const std::string& reason = {}) {
  std::string name = "riga " + std::to_string(job.line);
  if (!job.description.empty()) name += "  " + job.description;
  if (!job.folder.empty() && !reason.ends_with(": " + job.folder)) name += "  (" + job.folder + ")";
  return name;
}

// What the archiver said about a failed line, indented below it; "..." when it said more.
std::string MessageLines(const LineResult& result) {
  std::string text;
  for (std::size_t i = 0; i < result.messages.size(); ++i)
    text += "\r      " + (i + 1 < kMessageLinesKept ? result.messages[i] : std::string("..."));
  return text;
}

}  // namespace

std::string ProgressText(RunKind kind, int position, int count, const Job& job, const std::string& figures) {
  return std::string(kind == RunKind::Backup ? "Copia " : "Ripristino ") + std::to_string(position) +
         " di " + std::to_string(count) + ": " + (job.description.empty() ? job.folder : job.description) +
         (figures.empty() ? "" : " — " + figures);
}

EndText EndMessage(RunKind kind, const std::vector<LineResult>& results) {
  const Words& words = kind == RunKind::Backup ? kBackupWords : kRestoreWords;
  const auto done = [](const LineResult& r) { return r.outcome == Outcome::Done; };
  const auto failures = std::count_if(results.begin(), results.end(), [&](const LineResult& r) { return !done(r); });
  if (failures == 0) return {words.done, {}};

  std::string failed, succeeded;
  for (const LineResult& r : results) {
    if (done(r)) {
      succeeded += "\r   " + LineName(r.job);
    } else {
      const std::string reason = Reason(words, r);
      failed += "\r   " + LineName(r.job, reason) + ": " + reason + MessageLines(r);
    }
  }
  const std::string headline = std::string(words.incomplete) + "\r\r" + words.failed_count +
                               std::to_string(failures) + " su " + std::to_string(results.size());
  const std::string details = words.failed_heading + failed + "\r\r" + words.done_heading +
                              (succeeded.empty() ? "\r   nessuna" : succeeded);
  return {headline, details};
}

void ShowEndMessage(RunKind kind, const std::vector<LineResult>& results) {
  const EndText text = EndMessage(kind, results);
  platform::Beep();
  if (text.details.empty()) platform::ShowMessage(text.headline);
  else platform::ShowDetailedMessage(text.headline, text.details);
}

}  // namespace runner
