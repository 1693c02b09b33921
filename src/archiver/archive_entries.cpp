#include "archiver/archive_entries.h"

#include <sys/stat.h>

#include <optional>
#include <set>

#include "archiver/entry_name.h"
#include "archiver/item_error.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

struct DefaultModes {
  mode_t file;
  mode_t folder;
};

// For entries without a Unix mode (archives made on Windows), as a new file would get.
DefaultModes UmaskedModes() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return {static_cast<mode_t>(0666 & ~mask), static_cast<mode_t>(0777 & ~mask)};
}

std::string Joined(const Components& path, std::size_t depth) {
  std::string joined;
  for (std::size_t i = 0; i < depth; ++i) joined += (i ? "/" : "") + path[i];
  return joined;
}

std::optional<std::int64_t> ExtendedTimestamp(zip_t* archive, zip_uint64_t index) {
  for (const zip_flags_t where : {ZIP_FL_CENTRAL, ZIP_FL_LOCAL}) {
    zip_uint16_t length = 0;
    const zip_uint8_t* data = zip_file_extra_field_get_by_id(archive, index, kExtendedTimestampId, 0, &length, where);
    if (const auto mtime = DecodeExtendedTimestamp(data, length)) return mtime;
  }
  return std::nullopt;
}

ArchiveEntry ReadEntry(zip_t* archive, zip_uint64_t index, const DefaultModes& defaults) {
  // Raw bytes, as Info-ZIP's unzip takes them on Unix: our own archives round-trip exactly.
  const char* raw_name = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
  if (raw_name == nullptr)
    throw ItemError("voce " + std::to_string(index) + " illeggibile: " + ZipErrorText(*zip_get_error(archive)));
  ArchiveEntry entry{index, raw_name, SplitEntryName(raw_name), EntryKind::kFile, 0, 0};
  zip_stat_t stat;
  zip_uint8_t opsys = 0;
  zip_uint32_t attributes = 0;
  if (zip_stat_index(archive, index, 0, &stat) != 0 ||
      zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
    throw ItemError("voce \"" + entry.name + "\" illeggibile: " + ZipErrorText(*zip_get_error(archive)));
  const EntryType type = ReadEntryType(entry.name, opsys, attributes);
  if (type.special)
    throw ItemError("voce rifiutata \"" + entry.name + "\": non è un file, una cartella o un collegamento");
  entry.kind = type.kind;
  entry.permissions = type.permissions.value_or(type.kind == EntryKind::kFolder ? defaults.folder : defaults.file);
  const std::optional<std::int64_t> exact = ExtendedTimestamp(archive, index);
  entry.mtime = exact ? *exact : (stat.valid & ZIP_STAT_MTIME) ? stat.mtime : 0;
  return entry;
}

}  // namespace

std::vector<ArchiveEntry> ReadArchiveEntries(zip_t* archive, Messages& messages) {
  const DefaultModes defaults = UmaskedModes();
  std::vector<ArchiveEntry> entries;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
    try {
      entries.push_back(ReadEntry(archive, index, defaults));
    } catch (const ItemError& error) {
      messages.Failure(error.what());
    }
  }

  std::set<std::string> links;
  for (const ArchiveEntry& entry : entries)
    if (entry.kind == EntryKind::kLink) links.insert(Joined(entry.path, entry.path.size()));
  std::vector<ArchiveEntry> kept;
  for (ArchiveEntry& entry : entries) {
    bool below_link = false;
    for (std::size_t depth = 1; depth < entry.path.size() && !below_link; ++depth)
      below_link = links.count(Joined(entry.path, depth)) > 0;
    if (below_link)
      messages.Failure("voce rifiutata \"" + entry.name + "\": passa per un collegamento simbolico dell'archivio");
    else
      kept.push_back(std::move(entry));
  }
  return kept;
}

}  // namespace archiver
