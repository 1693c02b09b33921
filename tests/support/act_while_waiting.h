#pragma once

#include <wx/timer.h>

#include <functional>
#include <utility>

namespace testing_support {

// Runs action once from the event loop: how a test works a window whose opening call waits in
// a loop of its own (a folder picker, a modal dialog) until the window closes. Without ready,
// it acts as soon as that loop runs; with it, at the first look (every 20 ms) that finds ready()
// holding. The action must end by closing that window; destroyed first, it never runs.
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
