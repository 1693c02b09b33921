#include "archiver/compression_pipeline.h"

#include <cerrno>
#include <new>

#include "archiver/deflater.h"
#include "archiver/errno_text.h"
#include "archiver/fd_io.h"
#include "archiver/item_error.h"
#include "archiver/parallel.h"

namespace archiver {

CompressionPipeline::CompressionPipeline(std::vector<Job> jobs, std::size_t memory_budget)
    : jobs_(std::move(jobs)), memory_budget_(memory_budget), results_(jobs_.size()) {
  const unsigned count = std::min<std::size_t>(WorkerCount(), jobs_.size());
  for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

CompressionPipeline::~CompressionPipeline() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

std::size_t CompressionPipeline::Cost(std::size_t i) const {
  // The file's bytes and the compressed copy live together while it is being deflated.
  return 2 * static_cast<std::size_t>(jobs_[i].size) + 4096;
}

bool CompressionPipeline::CanStartNext() const {
  return next_ < jobs_.size() && (bytes_held_ == 0 || bytes_held_ + Cost(next_) <= memory_budget_);
}

void CompressionPipeline::Work() {
  Deflater deflater;
  for (;;) {
    std::size_t i;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || next_ == jobs_.size() || CanStartNext(); });
      if (stopping_ || next_ == jobs_.size()) return;
      i = next_++;
      bytes_held_ += Cost(i);
    }
    Result result;
    try {
      const UniqueFd fd = OpenRegularFile(jobs_[i].path);
      const std::vector<std::uint8_t> data = ReadToEnd(fd.get(), jobs_[i].size, jobs_[i].path);
      result.packed.size = data.size();
      result.packed.crc = Crc32(data.data(), data.size());
      deflater.Compress(data.data(), data.size(), result.packed.bytes);
    } catch (const ItemError& error) {
      result.error = error.what();
    } catch (const std::bad_alloc&) {
      result.error = "impossibile leggere " + jobs_[i].path + ": " + ErrnoText(ENOMEM);
    }
    {
      std::lock_guard lock(mutex_);
      bytes_held_ = bytes_held_ - Cost(i) + result.packed.bytes.size();
      results_[i] = std::move(result);
    }
    changed_.notify_all();
  }
}

PackedData CompressionPipeline::Take(std::size_t i) {
  Result result;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return results_[i].has_value(); });
    result = std::move(*results_[i]);
    results_[i].reset();
    bytes_held_ -= result.packed.bytes.size();
  }
  changed_.notify_all();
  if (!result.error.empty()) throw ItemError(result.error);
  return std::move(result.packed);
}

}  // namespace archiver
