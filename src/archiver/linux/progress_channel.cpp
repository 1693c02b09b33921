#include "archiver/progress_channel.h"

#include <csignal>
#include <iostream>

namespace archiver {

// A write to a pipe nobody reads would otherwise end the program with SIGPIPE.
std::ostream* ProgressChannel() {
  std::signal(SIGPIPE, SIG_IGN);
  return &std::cout;
}

}  // namespace archiver
