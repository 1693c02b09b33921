#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "archiver/archive_check.h"
#include "archiver/compression_plan.h"
#include "archiver/progress_report.h"
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
  // Items whose file changed while it was read, or whose entry did not read back as written:
  // worth reading once more.
  std::vector<std::size_t> changed;
  // Entries kept from the old archive whose data was already damaged; they stay as they were.
  std::vector<DamagedEntry> damaged_copies;
  std::string error;  // why the archive was not written
};

// Writes items[i] for every included[i] into the archive, creating it or replacing its entries
// of the same name, dropping the old entries a change of type leaves stale (a file that became a
// folder, a folder that became a file or a link) and keeping the others. The new archive is
// written beside the old one and every entry is read back before it takes the old one's place,
// so on any failure, or an entry of this run that does not match its CRC and size, the earlier
// archive is left as it was. Files whose plan is kept keep their old entry untouched, and it is
// not read back (it was when it was written). Packed data kept in plans is handed over to the
// archive. Each file's bytes count in progress as they go into the archive, a kept file's at
// once. Each new entry records started, when the run began.
[[nodiscard]] WriteResult WriteArchive(const std::string& archive, const std::vector<SourceItem>& items,
                                       std::vector<FilePlan>& plans, const std::vector<bool>& included,
                                       std::int64_t started, ProgressReport& progress);

}  // namespace archiver
