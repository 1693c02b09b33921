#pragma once

#include <chrono>
#include <string>
#include <thread>

#include "runner/process_runner.h"

namespace testing_support {

// The test program that stands in for the archiver (see child_program.cpp), in quotes as the
// first word of a command line.
inline std::string ChildCommand() { return "\"" FALDONE_TEST_CHILD "\""; }

// Polls as a window would, with a pause, and gives the exit code; -100 if it never ends.
inline int WaitForExit(runner::ProcessHandle& handle) {
  int exit_code = -100;
  for (int i = 0; i < 2000 && runner::PROCESSO_ATTIVO(handle, exit_code); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return exit_code;
}

}  // namespace testing_support
