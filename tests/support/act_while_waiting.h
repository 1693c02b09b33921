#pragma once

#include <wx/timer.h>

#include <functional>
#include <utility>

namespace testing_support {

// Runs action once from the event loop shortly after it is created: how a test works a window
// whose opening call waits in a loop of its own (a folder picker, a modal dialog) until the
// window closes. The action must end by closing that window; destroyed first, it never runs.
class ActWhileWaiting : public wxTimer {
 public:
  explicit ActWhileWaiting(std::function<void()> action, int delay_ms = 20)
      : action_(std::move(action)) {
    StartOnce(delay_ms);
  }
  void Notify() override { action_(); }

 private:
  std::function<void()> action_;
};

}  // namespace testing_support
