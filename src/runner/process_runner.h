#pragma once

#include <string>

#include "platform/process.h"

// Starting the archiver and watching it: one command line per archive, one process at a time.
namespace runner {

// The archiver being watched, owned; empty when none is.
using ProcessHandle = platform::process::Child;

// Starts comando (with argomento appended in double quotes after one blank, unless argomento
// is blank) and returns the new process, or an empty handle when it could not be started. The
// process's messages go to messages when given, what it says of its progress to progress.
[[nodiscard]] ProcessHandle AVVIA_PROCESSO(const std::string& comando, const std::string& argomento,
                                           const platform::process::CapturedOutput* messages = nullptr,
                                           platform::process::OutputPipe* progress = nullptr);

// True while the process runs. Once it has ended, its exit code goes into exit_code, handle
// is released and left empty and the result is false. An empty handle gives false at once and
// touches nothing.
[[nodiscard]] bool PROCESSO_ATTIVO(ProcessHandle& handle, int& exit_code);

}  // namespace runner
