#include "archiver/compression_pipeline.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "archiver/deflater.h"
#include "platform/errno_text.h"
#include "archiver/fd_io.h"
#include "archiver/item_error.h"
#include "archiver/parallel.h"

namespace archiver {

namespace {

PackedData PackWholeFile(const CompressionPipeline::Job& job, Deflater& deflater) {
  const UniqueFd fd = OpenRegularFile(job.path);
  const std::vector<std::uint8_t> data = ReadToEnd(fd.get(), job.size, job.path);
  PackedData packed;
  packed.size = data.size();
  packed.crc = Crc32(data.data(), data.size());
  deflater.Compress(data.data(), data.size(), packed.bytes);
  return packed;
}

// A large file is archived as it was listed: one that shrank since fails and is left out.
PackedData PackPiece(const CompressionPipeline::Job& job) {
  const UniqueFd fd = OpenRegularFile(job.path);
  const std::size_t dictionary = static_cast<std::size_t>(std::min<std::uint64_t>(kDeflateWindow, job.piece->offset));
  std::vector<std::uint8_t> data(dictionary + job.size);
  if (ReadAt(fd.get(), data.data(), data.size(), job.piece->offset - dictionary, job.path) != data.size())
    throw ItemError("impossibile leggere " + job.path + ": il file si è accorciato durante la copia");
  PackedData packed;
  packed.size = job.size;
  packed.crc = Crc32(data.data() + dictionary, job.size);
  DeflatePiece(data.data(), dictionary, job.size, job.piece->last, packed.bytes);
  return packed;
}

}  // namespace

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
  // The bytes read and their compressed copy live together while they are being deflated.
  return 2 * static_cast<std::size_t>(jobs_[i].size) + 2 * kDeflateWindow;
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
      result.packed = jobs_[i].piece ? PackPiece(jobs_[i]) : PackWholeFile(jobs_[i], deflater);
    } catch (const ItemError& error) {
      result.error = error.what();
    } catch (const std::bad_alloc&) {
      result.error = "impossibile leggere " + jobs_[i].path + ": " + platform::ErrnoText(ENOMEM);
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
