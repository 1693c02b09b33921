#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "archiver/compression_pipeline.h"
#include "archiver/compression_plan.h"
#include "archiver/progress_report.h"
#include "archiver/source_tree.h"

// The data sources libzip pulls from while it writes the archive. A source that cannot read
// its file, or finds it changed, fails the whole zip_close, so each one records which item it
// was: the archive is then written again, reading a changed file once more and leaving out an
// unreadable one. Each tells progress the file's bytes as libzip takes them.
namespace archiver {

class SourceFailures {
 public:
  void AddUnreadable(std::size_t item, const std::string& text);
  void AddChanged(std::size_t item);
  std::vector<std::pair<std::size_t, std::string>> TakeUnreadable();
  std::vector<std::size_t> TakeChanged();

 private:
  std::mutex mutex_;
  std::vector<std::pair<std::size_t, std::string>> unreadable_;
  std::vector<std::size_t> changed_;
};

// Data packed ahead, deflated or stored as its method says; libzip copies it as it is.
zip_source_t* PackedSource(zip_t* archive, PackedData packed, Method method, ProgressReport& progress);

// Where a pipelined entry finds its data. Filled in once every entry is added: a replaced
// entry keeps its old place, so only then is the order libzip writes them in known.
struct PipelineTicket {
  CompressionPipeline* pipeline = nullptr;
  std::size_t first_job = 0;
  std::size_t jobs = 0;  // one for a whole file, one per piece for a large one
};

// Data deflated by the pipeline: libzip waits for the ticket's jobs on its turn and copies the
// deflated stream as it is. size is the file's listed size.
zip_source_t* PipelineSource(zip_t* archive, const PipelineTicket& ticket, std::uint64_t size, std::size_t item,
                             SourceFailures& failures, ProgressReport& progress);

// A stored file, read as libzip goes through one descriptor and checked for changes at its end.
zip_source_t* StreamedFileSource(zip_t* archive, const SourceItem& source, std::size_t item, SourceFailures& failures,
                                 ProgressReport& progress);

}  // namespace archiver
