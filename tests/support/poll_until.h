#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace testing_support {

// Asks done() every pause, as a window's timer would, until it holds; false after limit.
inline bool PollUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30),
                      std::chrono::milliseconds pause = std::chrono::milliseconds(5)) {
  const auto give_up = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(pause);
  }
  return true;
}

}  // namespace testing_support
