#include "runner/timed_run.h"

namespace runner {

TimedRun::TimedRun(std::vector<Job> jobs, RunReport& report) : sequence_(std::move(jobs), report) {
  timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    if (!sequence_.Advance()) timer_.Stop();
  });
  timer_.Start(kPollMilliseconds);
}

}  // namespace runner
