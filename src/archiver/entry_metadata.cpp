#include "archiver/entry_metadata.h"

#include <zip.h>

#include <limits>

namespace archiver {

namespace {

constexpr std::uint32_t kMsDosReadOnlyFlag = 0x01;
constexpr std::uint32_t kMsDosHiddenFlag = 0x02;
constexpr std::uint32_t kMsDosFolderFlag = 0x10;
constexpr std::uint8_t kHasModificationTime = 0x01;
constexpr std::int64_t kLast32BitSecond = std::numeric_limits<std::int32_t>::max();  // January 2038
// The MS-DOS time is local time in an unknown zone, read back in ours.
constexpr std::int64_t kDosTimeZoneSlack = 24 * 60 * 60;
// NTFS times count 100 ns ticks from 1601, in UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
constexpr std::uint16_t kNtfsTimesTag = 1;  // modification, access and creation time

std::uint32_t Little32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t Little16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8); }

// 32-bit seconds, which some tools write signed and most unsigned (see DecodeExtendedTimestamp).
std::int64_t Unix32(std::uint32_t bits, std::optional<std::int64_t> dos_mtime) {
  if (dos_mtime && *dos_mtime >= kLast32BitSecond - kDosTimeZoneSlack) return std::int64_t{bits};
  return static_cast<std::int32_t>(bits);
}

// Reserved 4 bytes, then tagged attributes; tag 1 starts with the modification time.
std::optional<ModificationTime> DecodeNtfsTimes(const std::uint8_t* data, std::uint16_t length) {
  for (std::size_t at = 4; data != nullptr && at + 4 <= length;) {
    const std::uint16_t tag = Little16(data + at), size = Little16(data + at + 2);
    at += 4;
    if (at + size > length) break;
    if (tag == kNtfsTimesTag && size >= 8) {
      const std::uint64_t ticks = Little32(data + at) | static_cast<std::uint64_t>(Little32(data + at + 4)) << 32;
      // Zero is a time some tools leave unset; past the signed range is no time at all.
      if (ticks == 0 || ticks > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
      const auto since_1601 = static_cast<std::int64_t>(ticks);
      return ModificationTime{since_1601 / kTicksPerSecond - kSecondsFrom1601To1970,
                              static_cast<std::uint32_t>(since_1601 % kTicksPerSecond)};
    }
    at += size;
  }
  return std::nullopt;
}

// Access time, then modification time, then (local header only) user and group.
std::optional<std::int64_t> DecodeOldUnixTimes(const std::uint8_t* data, std::uint16_t length,
                                               std::optional<std::int64_t> dos_mtime) {
  if (data == nullptr || length < 8) return std::nullopt;
  return Unix32(Little32(data + 4), dos_mtime);
}

}  // namespace

std::uint32_t ExternalAttributes(EntryKind kind, UnixMode permissions, bool hidden) {
  const UnixMode type = kind == EntryKind::kFolder ? kUnixFolder : kind == EntryKind::kLink ? kUnixLink : kUnixFile;
  const std::uint32_t mode = type | (permissions & 07777);
  return (mode << 16) | (kind == EntryKind::kFolder ? kMsDosFolderFlag : 0) |
         (permissions & kOwnerWrite ? 0 : kMsDosReadOnlyFlag) | (hidden ? kMsDosHiddenFlag : 0);
}

EntryType ReadEntryType(const std::string& name, std::uint8_t opsys, std::uint32_t attributes) {
  EntryType type;
  const UnixMode mode = attributes >> 16;
  const bool has_unix_mode = opsys == ZIP_OPSYS_UNIX && mode != 0;
  if (has_unix_mode) {
    type.permissions = mode & 0777;
    switch (mode & kUnixTypeMask) {
      case kUnixFolder:
        type.kind = EntryKind::kFolder;
        break;
      case kUnixLink:
        type.kind = EntryKind::kLink;
        break;
      case kUnixFile:
      case 0:
        break;
      default:
        type.special = true;
        break;
    }
  } else if (attributes & kMsDosFolderFlag) {
    type.kind = EntryKind::kFolder;
  }
  type.read_only = (attributes & kMsDosReadOnlyFlag) != 0;
  type.hidden = (attributes & kMsDosHiddenFlag) != 0;
  if (!name.empty() && name.back() == '/') {
    type.kind = EntryKind::kFolder;
    type.special = false;
  }
  return type;
}

std::optional<std::array<std::uint8_t, 5>> EncodeExtendedTimestamp(std::int64_t mtime) {
  if (mtime < std::numeric_limits<std::int32_t>::min() || mtime > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(mtime));
  return std::array<std::uint8_t, 5>{kHasModificationTime, static_cast<std::uint8_t>(bits),
                                     static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
                                     static_cast<std::uint8_t>(bits >> 24)};
}

std::optional<std::int64_t> DecodeExtendedTimestamp(const std::uint8_t* data, std::uint16_t length,
                                                    std::optional<std::int64_t> dos_mtime) {
  if (data == nullptr || length < 5 || !(data[0] & kHasModificationTime)) return std::nullopt;
  return Unix32(Little32(data + 1), dos_mtime);
}

std::array<std::uint8_t, 8> EncodeStoredAt(std::int64_t seconds) {
  std::array<std::uint8_t, 8> data;
  const auto bits = static_cast<std::uint64_t>(seconds);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  return data;
}

std::optional<std::int64_t> DecodeStoredAt(const std::uint8_t* data, std::uint16_t length) {
  if (data == nullptr || length != 8) return std::nullopt;
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{data[i]} << (8 * i);
  return static_cast<std::int64_t>(bits);
}

ModificationTime EntryModificationTime(const std::vector<ExtraField>& fields, std::optional<std::int64_t> dos_mtime) {
  const auto decode = [&](const ExtraField& field) -> std::optional<ModificationTime> {
    if (field.id == kNtfsTimesId) return DecodeNtfsTimes(field.data, field.length);
    const auto seconds = field.id == kExtendedTimestampId ? DecodeExtendedTimestamp(field.data, field.length, dos_mtime)
                                                          : DecodeOldUnixTimes(field.data, field.length, dos_mtime);
    if (!seconds) return std::nullopt;
    return ModificationTime{*seconds, 0};
  };
  for (const std::uint16_t id : {kExtendedTimestampId, kNtfsTimesId, kOldUnixTimesId})
    for (const ExtraField& field : fields)
      if (field.id == id)
        if (const auto time = decode(field)) return *time;
  return {dos_mtime.value_or(0), 0};
}

}  // namespace archiver
