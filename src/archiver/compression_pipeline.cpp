#include "archiver/compression_pipeline.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "archiver/deflater.h"
#include "archiver/item_error.h"
#include "archiver/parallel.h"
#include "archiver/source_file.h"
#include "platform/errno_text.h"

namespace archiver {

// Opened by the first of its pieces to be read, so that only the files being worked on hold a
// descriptor, and closed when the last piece is taken.
class CompressionPipeline::SharedFile {
 public:
  explicit SharedFile(const SourceItem& item) : item_(item) {}

  const SourceFile& Get() {
    std::lock_guard lock(mutex_);
    if (!file_) file_.emplace(item_);
    return *file_;
  }

 private:
  const SourceItem& item_;
  std::mutex mutex_;
  std::optional<SourceFile> file_;
};

namespace {

PackedData PackWholeFile(const CompressionPipeline::Job& job, Deflater& deflater) {
  const SourceFile file(*job.item);
  // One byte more than listed tells a file that grew.
  std::vector<std::uint8_t> data(job.item->size + 1);
  data.resize(file.ReadAt(data.data(), data.size(), 0));
  file.CheckUnchanged();
  if (data.size() != job.item->size) throw FileChanged(file.path());
  PackedData packed;
  packed.size = data.size();
  packed.crc = Crc32(data.data(), data.size());
  deflater.Compress(data.data(), data.size(), packed.bytes);
  return packed;
}

// Each piece is read with the 32 KiB before it, which primes its compressor.
PackedData PackPiece(const CompressionPipeline::Job& job, const SourceFile& file) {
  const std::size_t dictionary = static_cast<std::size_t>(std::min<std::uint64_t>(kDeflateWindow, job.piece->offset));
  std::vector<std::uint8_t> data(dictionary + job.size);
  if (file.ReadAt(data.data(), data.size(), job.piece->offset - dictionary) != data.size())
    throw FileChanged(file.path());
  PackedData packed;
  packed.size = job.size;
  packed.crc = Crc32(data.data() + dictionary, job.size);
  DeflatePiece(data.data(), dictionary, job.size, job.piece->last, packed.bytes);
  return packed;
}

}  // namespace

CompressionPipeline::CompressionPipeline(std::vector<Job> jobs, std::size_t memory_budget)
    : jobs_(std::move(jobs)), shared_files_(jobs_.size()), memory_budget_(memory_budget), results_(jobs_.size()) {
  for (std::size_t i = 0; i < jobs_.size(); ++i) {
    if (!jobs_[i].piece) continue;
    const bool first = i == 0 || !jobs_[i - 1].piece || jobs_[i - 1].item != jobs_[i].item;
    shared_files_[i] = first ? std::make_shared<SharedFile>(*jobs_[i].item) : shared_files_[i - 1];
  }
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
      result.packed =
          jobs_[i].piece ? PackPiece(jobs_[i], shared_files_[i]->Get()) : PackWholeFile(jobs_[i], deflater);
    } catch (const ItemError&) {
      result.error = std::current_exception();
    } catch (const std::bad_alloc&) {
      result.error = std::make_exception_ptr(
          ItemError("impossibile leggere " + jobs_[i].item->path + ": " + platform::ErrnoText(ENOMEM)));
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
  const std::shared_ptr<SharedFile> shared = std::move(shared_files_[i]);
  if (result.error) std::rethrow_exception(result.error);
  // Every piece has been read once the last one is taken: only now can the file be judged whole.
  if (jobs_[i].piece && jobs_[i].piece->last) shared->Get().CheckUnchanged();
  return std::move(result.packed);
}

}  // namespace archiver
