#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "archiver/compression_plan.h"
#include "archiver/source_tree.h"

namespace archiver {

// Deflates on all cores ahead of the archive writer, which takes the results one by one in
// job order. A job is a whole file, read and deflated in memory with libdeflate, or a piece of
// a file too large for that, deflated with zlib as part of one stream (see DeflatePiece).
// memory_budget bounds the bytes held at once (a single job is always let through, so a
// budget smaller than one job still makes progress). Every file is read through one descriptor,
// all the pieces of a large one too, and checked for changes once all of it has been read.
class CompressionPipeline {
 public:
  struct Piece {
    std::uint64_t offset;
    bool last;  // ends the file's stream
  };
  struct Job {
    const SourceItem* item;  // outlives the pipeline
    std::uint64_t size;      // a whole file's listed size (only to budget memory), or a piece's length
    std::optional<Piece> piece;
  };

  // The size of the pieces large files are cut into.
  static constexpr std::size_t kPieceBytes = 4u << 20;

  CompressionPipeline(std::vector<Job> jobs, std::size_t memory_budget);
  ~CompressionPipeline();
  CompressionPipeline(const CompressionPipeline&) = delete;
  CompressionPipeline& operator=(const CompressionPipeline&) = delete;

  // Waits for job i and hands its data over. Jobs must be taken in order, each once.
  // Throws ItemError when the file could not be read, FileChanged when it changed while it was
  // read (for a large file, when its last piece is taken).
  PackedData Take(std::size_t i);

 private:
  class SharedFile;
  struct Result {
    PackedData packed;
    std::exception_ptr error;
  };

  void Work();
  std::size_t Cost(std::size_t i) const;
  bool CanStartNext() const;

  const std::vector<Job> jobs_;
  // For each piece, the file all the pieces of its file are read through; released as it is taken.
  std::vector<std::shared_ptr<SharedFile>> shared_files_;
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
