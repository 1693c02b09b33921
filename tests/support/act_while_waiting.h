#pragma once

#include <wx/timer.h>

#include <functional>
#include <utility>

namespace testing_support {

// Runs action once from the event loop, for a window whose opening call waits in a loop of its
// own: at once, or at the first look (every 20 ms) that finds ready() holding. It must close it.
class ActWhileWaiting : public wxTimer {
 public:
  explicit ActWhileWaiting(std::function<void()> action, std::function<bool()> ready = nullptr)
      : action_(std::move(action)), ready_(std::move(ready)) {
    Start(20);
  }
  void Notify() override {
    if (ready_ && !ready_()) return;
    Stop();
    action_();
  }

 private:
  std::function<void()> action_;
  std::function<bool()> ready_;
};

}  // namespace testing_support
