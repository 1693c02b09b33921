#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "archiver/compression_plan.h"
#include "archiver/source_tree.h"

namespace archiver {

// Files of at most this size are read whole and deflated with libdeflate; larger ones are cut
// into pieces deflated with zlib. Both are deflated in parallel.
constexpr std::size_t kInMemoryLimit = 32u << 20;
// Bytes held at once by the parallel compressors.
constexpr std::size_t kPipelineBudget = 160u << 20;

struct WriteResult {
  bool written = false;
  // Items whose data could not be read while the archive was being written.
  std::vector<std::pair<std::size_t, std::string>> unreadable;
  std::string error;  // why the archive was not written
};

// Writes items[i] for every included[i] into the archive, creating it or replacing its entries
// of the same name and keeping the others. libzip writes a temporary file beside the archive
// and renames it into place, so on any failure the earlier archive is left as it was. Packed
// data kept in plans is handed over to the archive.
[[nodiscard]] WriteResult WriteArchive(const std::string& archive, const std::vector<SourceItem>& items,
                                       std::vector<FilePlan>& plans, const std::vector<bool>& included);

}  // namespace archiver
