#include "runner/run_messages.h"

#include <algorithm>

#include "runner/archiver_commands.h"

namespace runner {
namespace {

struct Words {
  const char* done;
  const char* incomplete;
  const char* failed_heading;
  const char* done_heading;
  const char* some_files_failed;
  const char* nothing_done;
};

constexpr Words kBackupWords{
    kBackupDone,
    "ATTENZIONE: COPIA NON COMPLETA !!!",
    "Cartelle NON salvate o salvate solo in parte:",
    "Cartelle salvate:",
    "alcuni file non sono stati salvati",
    "nessun file salvato",
};

constexpr Words kRestoreWords{
    kRestoreDone,
    "ATTENZIONE: RIPRISTINO NON COMPLETO !!!",
    "Cartelle NON ripristinate o ripristinate solo in parte:",
    "Cartelle ripristinate:",
    "alcuni file non sono stati ripristinati",
    "nessun file ripristinato",
};

std::string LineName(const Job& job) {
  std::string name = "riga " + std::to_string(job.line);
  if (!job.description.empty()) name += "  " + job.description;
  return name + "  (" + job.folder + ")";
}

std::string Reason(const Words& words, const LineResult& result) {
  const std::string code = " (codice " + std::to_string(result.exit_code) + ")";
  switch (result.outcome) {
    case Outcome::Done: return {};
    case Outcome::PartlyDone: return words.some_files_failed + code;
    case Outcome::Failed:
      if (result.exit_code == kArchiverNothingDone) return words.nothing_done + code;
      return "il programma di archiviazione è terminato con errore" + code;
    case Outcome::NotStarted: return "impossibile avviare il programma di archiviazione";
    case Outcome::Refused: return result.job.refusal;
  }
  return {};
}

// What the archiver said about a failed line, indented below it; "..." when it said more.
std::string MessageLines(const LineResult& result) {
  std::string text;
  for (std::size_t i = 0; i < result.messages.size(); ++i)
    text += "\r      " + (i + 1 < kMessageLinesKept ? result.messages[i] : std::string("..."));
  return text;
}

}  // namespace

std::string ProgressText(RunKind kind, int position, int count, const Job& job) {
  return std::string(kind == RunKind::Backup ? "Copia " : "Ripristino ") + std::to_string(position) +
         " di " + std::to_string(count) + ": " + (job.description.empty() ? job.folder : job.description);
}

std::string EndMessage(RunKind kind, const std::vector<LineResult>& results) {
  const Words& words = kind == RunKind::Backup ? kBackupWords : kRestoreWords;
  const auto done = [](const LineResult& r) { return r.outcome == Outcome::Done; };
  if (std::all_of(results.begin(), results.end(), done)) return words.done;

  std::string failed, succeeded;
  for (const LineResult& r : results) {
    if (done(r)) succeeded += "\r   " + LineName(r.job);
    else failed += "\r   " + LineName(r.job) + ": " + Reason(words, r) + MessageLines(r);
  }
  std::string message = std::string(words.incomplete) + "\r\r" + words.failed_heading + failed;
  message += "\r\r" + std::string(words.done_heading) + (succeeded.empty() ? "\r   nessuna" : succeeded);
  return message;
}

}  // namespace runner
