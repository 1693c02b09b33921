#pragma once

#include <wx/timer.h>

#include <vector>

#include "runner/run_sequence.h"

namespace runner {

// A RunSequence driven by a timer of the program's event loop: the windows go on answering
// while the archiver works, and the program sleeps between two looks at it instead of spinning.
// Destroying the object stops watching; an archiver still running is left to finish.
class TimedRun {
 public:
  static constexpr int kPollMilliseconds = 25;

  // The first line starts at the first tick, once the caller has returned to the event loop.
  TimedRun(std::vector<Job> jobs, RunReport& report);
  TimedRun(const TimedRun&) = delete;
  TimedRun& operator=(const TimedRun&) = delete;

  bool finished() const { return sequence_.finished(); }

 private:
  RunSequence sequence_;
  wxTimer timer_;
};

}  // namespace runner
