#include "archiver/serial_worker.h"

#include <utility>

namespace archiver {

SerialWorker::SerialWorker(std::size_t max_pending) : max_pending_(max_pending), thread_([this] { Run(); }) {}

SerialWorker::~SerialWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SerialWorker::Post(std::function<void()> task) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return tasks_.size() < max_pending_; });
  tasks_.push_back(std::move(task));
  lock.unlock();
  changed_.notify_all();
}

void SerialWorker::Drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return tasks_.empty() && !running_task_; });
}

bool SerialWorker::Idle() {
  std::lock_guard lock(mutex_);
  return tasks_.empty() && !running_task_;
}

void SerialWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return !tasks_.empty() || stopping_; });
    if (tasks_.empty()) return;
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    running_task_ = true;
    lock.unlock();
    changed_.notify_all();
    task();
    lock.lock();
    running_task_ = false;
    changed_.notify_all();
  }
}

}  // namespace archiver
