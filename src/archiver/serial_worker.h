#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace archiver {

// Runs tasks one at a time, in the order they were posted, on a thread of its own, so that
// slow calls whose answer the caller does not wait for overlap its own work. A task reports its
// own failures: it must not throw.
class SerialWorker {
 public:
  // Post waits while max_pending tasks are still to run, which bounds what is held.
  explicit SerialWorker(std::size_t max_pending);
  // Runs what was posted, then stops.
  ~SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  void Post(std::function<void()> task);
  // Returns once every task posted so far has run.
  void Drain();
  // Whether every task posted so far has run.
  bool Idle();

 private:
  void Run();

  const std::size_t max_pending_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  bool running_task_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace archiver
