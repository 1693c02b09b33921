#pragma once

#include <string>
#include <vector>

#include "runner/run_sequence.h"

namespace runner {

enum class RunKind { Backup, Restore };

inline constexpr const char* kBackupDone = "COPIA TERMINATA !!!";
inline constexpr const char* kRestoreDone = "RIPRISTINO TERMINATO !!!";

// The message at the end of a run: exactly kBackupDone or kRestoreDone when every line was
// done; otherwise which folder lines failed, and why, and which were saved or restored.
std::string EndMessage(RunKind kind, const std::vector<LineResult>& results);

}  // namespace runner
