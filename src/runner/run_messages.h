#pragma once

#include <string>
#include <vector>

#include "runner/run_sequence.h"

namespace runner {

enum class RunKind { Backup, Restore };

inline constexpr const char* kBackupDone = "COPIA TERMINATA !!!";
inline constexpr const char* kRestoreDone = "RIPRISTINO TERMINATO !!!";

// What a window's banner shows while a line runs: "Copia 2 di 5: Documenti" for a backup,
// "Ripristino 2 di 5: Documenti" for a restore (the folder when the line has no description).
std::string ProgressText(RunKind kind, int position, int count, const Job& job);

// The message at the end of a run: exactly kBackupDone or kRestoreDone when every line was
// done; otherwise which folder lines failed, and why, and which were saved or restored.
std::string EndMessage(RunKind kind, const std::vector<LineResult>& results);

}  // namespace runner
