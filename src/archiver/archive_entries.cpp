#include "archiver/archive_entries.h"

#include <optional>
#include <unordered_map>

#include "archiver/entry_name.h"
#include "archiver/item_error.h"
#include "archiver/new_item_modes.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

// For entries without a Unix mode (archives made on Windows), as a new file would get.
struct DefaultModes {
  UnixMode file = NewFileMode();
  UnixMode folder = NewFolderMode();
};

// The archive's links as a tree of names, so that finding whether an entry lies below one
// costs the length of the entry's name, however deep it is.
class LinkTree {
 public:
  void Add(const Components& path) {
    std::size_t node = 0;
    for (const std::string& name : path) node = Child(node, name);
    nodes_[node].link = true;
  }

  bool HasLinkAbove(const Components& path) const {
    std::size_t node = 0;
    for (std::size_t depth = 0; depth + 1 < path.size(); ++depth) {
      const auto child = nodes_[node].children.find(path[depth]);
      if (child == nodes_[node].children.end()) return false;
      node = child->second;
      if (nodes_[node].link) return true;
    }
    return false;
  }

 private:
  struct Node {
    std::unordered_map<std::string, std::size_t> children;  // name to index in nodes_
    bool link = false;
  };

  std::size_t Child(std::size_t node, const std::string& name) {
    const auto [child, added] = nodes_[node].children.try_emplace(name, nodes_.size());
    const std::size_t index = child->second;  // before nodes_ grows and moves the maps
    if (added) nodes_.emplace_back();
    return index;
  }

  std::vector<Node> nodes_ = std::vector<Node>(1);
};

// The extra fields that may hold the time, those of the central header first.
std::vector<ExtraField> TimeFields(zip_t* archive, zip_uint64_t index) {
  std::vector<ExtraField> fields;
  for (const zip_flags_t where : {ZIP_FL_CENTRAL, ZIP_FL_LOCAL}) {
    for (const std::uint16_t id : {kExtendedTimestampId, kNtfsTimesId, kOldUnixTimesId}) {
      zip_uint16_t length = 0;
      if (const zip_uint8_t* data = zip_file_extra_field_get_by_id(archive, index, id, 0, &length, where))
        fields.push_back({id, data, length});
    }
  }
  return fields;
}

ArchiveEntry ReadEntry(zip_t* archive, zip_uint64_t index, const DefaultModes& defaults) {
  const std::optional<std::string> name = EntryName(archive, index);
  if (!name)
    throw ItemError("voce " + std::to_string(index) + " illeggibile: " + ZipErrorText(*zip_get_error(archive)));
  zip_stat_t stat;
  zip_uint8_t made_on = 0;
  zip_uint32_t attributes = 0;
  if (zip_stat_index(archive, index, 0, &stat) != 0 ||
      zip_file_get_external_attributes(archive, index, 0, &made_on, &attributes) != 0)
    throw ItemError("voce \"" + *name + "\" illeggibile: " + ZipErrorText(*zip_get_error(archive)));
  ArchiveEntry entry{index, *name, SplitEntryName(*name, BackslashIn(made_on), kSystemNameRules), EntryKind::kFile, {},
                     stat.size};
  const EntryType type = ReadEntryType(entry.name, made_on, attributes);
  if (type.special)
    throw ItemError("voce rifiutata \"" + entry.name + "\": non è un file, una cartella o un collegamento");
  entry.kind = type.kind;
  entry.crc = stat.crc;
  if (stat.encryption_method == ZIP_EM_NONE && stat.comp_method == ZIP_CM_STORE)
    entry.packing = ArchiveEntry::Packing::kStored;
  else if (stat.encryption_method == ZIP_EM_NONE && stat.comp_method == ZIP_CM_DEFLATE)
    entry.packing = ArchiveEntry::Packing::kDeflated;
  // Named, so that the user knows which program can open the entry.
  if (entry.kind != EntryKind::kFolder && !zip_compression_method_supported(stat.comp_method, 0))
    throw ItemError("impossibile estrarre \"" + *name + "\": " + UnsupportedMethodText(stat.comp_method));
  // Without a Unix mode, the MS-DOS read-only flag takes the write permissions away, as unzip does.
  const UnixMode default_mode = type.kind == EntryKind::kFolder ? defaults.folder : defaults.file;
  entry.metadata.permissions = type.permissions.value_or(type.read_only ? default_mode & ~0222u : default_mode);
  entry.metadata.hidden = type.hidden;
  entry.metadata.mtime = StoredModificationTime(archive, index, stat);
  return entry;
}

}  // namespace

ModificationTime StoredModificationTime(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat) {
  const std::optional<std::int64_t> dos_mtime =
      (stat.valid & ZIP_STAT_MTIME) ? std::optional<std::int64_t>(stat.mtime) : std::nullopt;
  return EntryModificationTime(TimeFields(archive, index), dos_mtime);
}

std::vector<ArchiveEntry> ReadArchiveEntries(zip_t* archive, Messages& messages) {
  const DefaultModes defaults;
  std::vector<ArchiveEntry> entries;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
    try {
      entries.push_back(ReadEntry(archive, index, defaults));
    } catch (const ItemError& error) {
      messages.Failure(error.what());
    }
  }

  LinkTree links;
  for (const ArchiveEntry& entry : entries)
    if (entry.kind == EntryKind::kLink) links.Add(entry.path);
  std::vector<ArchiveEntry> kept;
  for (ArchiveEntry& entry : entries) {
    if (links.HasLinkAbove(entry.path))
      messages.Failure("voce rifiutata \"" + entry.name + "\": passa per un collegamento simbolico dell'archivio");
    else
      kept.push_back(std::move(entry));
  }
  return kept;
}

}  // namespace archiver
