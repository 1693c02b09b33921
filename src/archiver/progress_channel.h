#pragma once

#include <ostream>

namespace archiver {

// The program's standard output, made ready to carry its progress lines: a reader that goes
// away while the run goes on (a main window closed meanwhile) makes the writing fail and no
// more is told, but never ends the run.
std::ostream* ProgressChannel();

}  // namespace archiver
