#pragma once

#include <zip.h>

#include <cstdint>
#include <string>
#include <vector>

#include "archiver/entry_metadata.h"
#include "archiver/messages.h"
#include "archiver/target_tree.h"

namespace archiver {

// An entry as the restore sees it once its name and attributes have been checked.
struct ArchiveEntry {
  zip_uint64_t index;
  std::string name;  // as stored, for messages
  Components path;   // below the target
  EntryKind kind;
  ItemMetadata metadata;
  std::uint64_t size;  // declared: data of another length is damaged, whatever its CRC says
  std::uint32_t crc = 0;
  // Not encrypted, and stored as it is or deflated: the restore can read it itself.
  enum class Packing { kStored, kDeflated, kOther } packing = Packing::kOther;
};

// The entry's modification time, read as EntryModificationTime says.
ModificationTime StoredModificationTime(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat);

// Every entry of the archive that may be extracted, in archive order. Refused ones (names
// that leave the target, devices and FIFOs, entries below a link of the same archive, which
// would be written through that link once it exists) and unreadable ones are named.
std::vector<ArchiveEntry> ReadArchiveEntries(zip_t* archive, Messages& messages);

}  // namespace archiver
