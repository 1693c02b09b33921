#include "archiver/kept_entries.h"

#include <zip.h>

#include <unordered_map>

#include "archiver/archive_entries.h"
#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/zip_archive.h"

namespace archiver {

namespace {

constexpr std::int64_t kTimeMargin = 2;

std::optional<StoredFile> ReadStoredFile(zip_t* archive, zip_uint64_t index) {
  zip_stat_t stat;
  StoredFile stored;
  if (zip_stat_index(archive, index, 0, &stat) != 0 ||
      zip_file_get_external_attributes(archive, index, 0, &stored.made_on, &stored.attributes) != 0)
    return std::nullopt;
  stored.size = stat.size;
  stored.method = stat.comp_method;
  stored.mtime = StoredModificationTime(archive, index, stat).seconds;
  zip_uint16_t length = 0;
  const zip_uint8_t* field = zip_file_extra_field_get_by_id(archive, index, kStoredAtId, 0, &length, ZIP_FL_CENTRAL);
  stored.stored_at = DecodeStoredAt(field, length);
  return stored;
}

}  // namespace

bool StillAsStored(const SourceItem& item, const StoredFile& stored) {
  return item.kind == EntryKind::kFile && stored.made_on == ZIP_OPSYS_UNIX &&
         (stored.method == ZIP_CM_DEFLATE || stored.method == ZIP_CM_STORE) && stored.size == item.size &&
         stored.mtime == item.mtime && stored.attributes == ExternalAttributes(item.kind, item.permissions, item.hidden) &&
         stored.stored_at && item.mtime + kTimeMargin < *stored.stored_at;
}

std::vector<bool> UnchangedFiles(const std::string& path, const std::vector<SourceItem>& items) {
  std::vector<bool> unchanged(items.size(), false);
  std::string ignored;  // the update opens the archive again and says what is wrong with it
  const ArchiveHandle archive(OpenArchive(path, ZIP_RDONLY | ZIP_CHECKCONS, ignored), zip_discard);
  if (!archive) return unchanged;

  std::unordered_map<std::string, std::optional<StoredFile>> stored;  // none: unreadable, or a name held twice
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
    const std::optional<std::string> name = EntryName(archive.get(), index);
    if (!name) return unchanged;
    const auto [entry, added] = stored.try_emplace(*name, ReadStoredFile(archive.get(), index));
    if (!added) entry->second.reset();
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto entry = stored.find(items[i].name);
    unchanged[i] = entry != stored.end() && entry->second && StillAsStored(items[i], *entry->second);
  }
  return unchanged;
}

}  // namespace archiver
