#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "archiver/compression_plan.h"

namespace archiver {

// Deflates whole files on all cores ahead of the archive writer, which takes the results
// one by one in job order. Files are read and compressed in memory, so only files up to a
// few tens of MiB belong here; memory_budget bounds the bytes held at once (a single job is
// always let through, so a budget smaller than one file still makes progress).
class CompressionPipeline {
 public:
  struct Job {
    std::string path;
    std::uint64_t size;  // as listed; only used to budget memory
  };

  CompressionPipeline(std::vector<Job> jobs, std::size_t memory_budget);
  ~CompressionPipeline();
  CompressionPipeline(const CompressionPipeline&) = delete;
  CompressionPipeline& operator=(const CompressionPipeline&) = delete;

  // Waits for job i and hands its data over. Jobs must be taken in order, each once.
  // Throws ItemError when the file could not be read.
  PackedData Take(std::size_t i);

 private:
  struct Result {
    PackedData packed;
    std::string error;
  };

  void Work();
  std::size_t Cost(std::size_t i) const;
  bool CanStartNext() const;

  const std::vector<Job> jobs_;
  const std::size_t memory_budget_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::optional<Result>> results_;
  std::size_t next_ = 0;
  std::size_t bytes_held_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace archiver
