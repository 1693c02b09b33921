#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How an item's type, permissions, attributes and modification time are written into a ZIP
// entry and read back: the Unix mode in the high half of the external attributes, as Info-ZIP
// does, the MS-DOS attributes in its low byte, and the exact time in the extended-timestamp
// extra field (the MS-DOS time is local, in 2-second steps). Archives of other tools may
// carry the time in an NTFS field instead, to the 100 ns tick, or in Info-ZIP's older field.
namespace archiver {

enum class EntryKind { kFile, kFolder, kLink };

// Unix type and permission bits as entries carry them, on every system.
using UnixMode = std::uint32_t;
constexpr UnixMode kUnixTypeMask = 0170000;
constexpr UnixMode kUnixFolder = 0040000;
constexpr UnixMode kUnixFile = 0100000;
constexpr UnixMode kUnixLink = 0120000;
constexpr UnixMode kOwnerWrite = 0200;

constexpr std::uint16_t kExtendedTimestampId = 0x5455;
constexpr std::uint16_t kNtfsTimesId = 0x000a;
constexpr std::uint16_t kOldUnixTimesId = 0x5855;
// Our own field, in the central header only, that other tools skip: when the run that stored the
// entry's data began. A file changed within that second cannot be told from its entry by size and
// time alone, so a same-day run compresses such a file again instead of keeping its entry.
constexpr std::uint16_t kStoredAtId = 0x6146;

// Seconds since 1970, and the 100 ns ticks within the second that an NTFS time has.
struct ModificationTime {
  std::int64_t seconds = 0;
  std::uint32_t ticks = 0;
};

// Unix type and permission bits in the high half; in the low byte the MS-DOS flags for a
// folder, a read-only item (no write permission for its owner) and a hidden one.
std::uint32_t ExternalAttributes(EntryKind kind, UnixMode permissions, bool hidden);

struct EntryType {
  EntryKind kind = EntryKind::kFile;
  bool special = false;  // a device, FIFO or socket: never extracted
  // Only the rwx bits (setuid, setgid and sticky are dropped); none when the entry carries no
  // Unix mode.
  std::optional<UnixMode> permissions;
  bool read_only = false;  // the MS-DOS flag, which Windows restores
  bool hidden = false;
};

// A trailing "/" makes a folder whatever the attributes say; otherwise the Unix type decides.
EntryType ReadEntryType(const std::string& name, std::uint8_t opsys, std::uint32_t attributes);

// The field's data holding only the modification time; none when the time does not fit its
// signed 32-bit seconds.
std::optional<std::array<std::uint8_t, 5>> EncodeExtendedTimestamp(std::int64_t mtime);

// The modification time in a field's data, when it has one. The field holds 32 bits, which we
// and some tools write signed (1901 to 2038) and most tools unsigned (1970 to 2106); a value
// with the top bit set is read unsigned when the entry's MS-DOS time, which reaches 2107, says
// 2038 or later.
std::optional<std::int64_t> DecodeExtendedTimestamp(const std::uint8_t* data, std::uint16_t length,
                                                    std::optional<std::int64_t> dos_mtime);

std::array<std::uint8_t, 8> EncodeStoredAt(std::int64_t seconds);
std::optional<std::int64_t> DecodeStoredAt(const std::uint8_t* data, std::uint16_t length);

struct ExtraField {
  std::uint16_t id;
  const std::uint8_t* data;
  std::uint16_t length;
};

// The modification time from the first field that holds one, in this order: the extended
// timestamp, the NTFS times, Info-ZIP's older Unix field; failing all, the MS-DOS time (none:
// 1970). Fields of one kind are taken in the order given (central header before local).
ModificationTime EntryModificationTime(const std::vector<ExtraField>& fields, std::optional<std::int64_t> dos_mtime);

}  // namespace archiver
