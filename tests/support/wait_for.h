#pragma once

#include <wx/app.h>
#include <wx/evtloop.h>

#include <chrono>
#include <functional>

namespace testing_support {

// Runs the event loop until done() holds; false if it still does not after limit.
inline bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60)) {
  const auto give_up = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    wxEventLoopBase::GetActive()->DispatchTimeout(20);
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
  }
  return true;
}

}  // namespace testing_support
