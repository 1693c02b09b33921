#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace archiver {

// Every core the machine has, within reason.
inline unsigned WorkerCount() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

// Runs work(worker_state, i) for every i below count on WorkerCount() threads, each taking the
// next index; make_state() builds one worker_state per thread (a compressor, a buffer). The
// first exception a thread throws is rethrown here once all threads have stopped.
template <typename MakeState, typename Work>
void ParallelFor(std::size_t count, MakeState make_state, Work work) {
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failure_mutex;
  auto run = [&] {
    try {
      auto state = make_state();
      for (std::size_t i = next++; i < count; i = next++) work(state, i);
    } catch (...) {
      next = count;
      std::lock_guard lock(failure_mutex);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < WorkerCount(); ++t) threads.emplace_back(run);
  run();
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace archiver
