#pragma once

namespace archiver {

// What the calling program learns from a run; the values are the process's exit codes.
enum class ExitCode : int {
  kDone = 0,         // everything was archived or extracted
  kSomeFailed = 1,   // some items failed and were named; all the others were done
  kNothingDone = 2,  // bad usage, or the archive or the target could not be used at all
};

}  // namespace archiver
