#pragma once

#include <string>
#include <vector>

#include "runner/run_sequence.h"

namespace runner {

enum class RunKind { Backup, Restore };

inline constexpr const char* kBackupDone = "COPIA TERMINATA !!!";
inline constexpr const char* kRestoreDone = "RIPRISTINO TERMINATO !!!";

// What a window's banner shows while a line runs: "Copia 2 di 5: Documenti" for a backup,
// "Ripristino 2 di 5: Documenti" for a restore (the folder when the line has no description),
// followed by " — " and the figures once the archiver has told any (see RunReport::LineProgress).
std::string ProgressText(RunKind kind, int position, int count, const Job& job, const std::string& figures = {});

// The message at the end of a run. When every line was done the headline is exactly kBackupDone
// or kRestoreDone and there are no details. Otherwise the headline says how many lines of how
// many failed, and the details name each failed line with its reason, then the lines done.
struct EndText {
  std::string headline;
  std::string details;
};
EndText EndMessage(RunKind kind, const std::vector<LineResult>& results);

// Beeps and shows EndMessage: a plain message after a run without failures, otherwise the
// headline over its details, which scroll however many lines failed.
void ShowEndMessage(RunKind kind, const std::vector<LineResult>& results);

}  // namespace runner
