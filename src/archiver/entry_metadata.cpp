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
  const std::uint32_t bits = static_cast<std::uint32_t>(data[1]) | static_cast<std::uint32_t>(data[2]) << 8 |
                             static_cast<std::uint32_t>(data[3]) << 16 | static_cast<std::uint32_t>(data[4]) << 24;
  if (dos_mtime && *dos_mtime >= kLast32BitSecond - kDosTimeZoneSlack) return std::int64_t{bits};
  return static_cast<std::int32_t>(bits);
}

}  // namespace archiver
