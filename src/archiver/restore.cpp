#include "archiver/restore.h"

#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/fd_io.h"
#include "archiver/item_error.h"
#include "archiver/target_tree.h"
#include "archiver/zip_archive.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

constexpr std::size_t kCopyBufferBytes = 256 * 1024;
constexpr std::size_t kMaxLinkTarget = 4095;

struct ArchiveEntry {
  zip_uint64_t index;
  std::string name;
  Components path;
  EntryKind kind;
  mode_t permissions;
  std::int64_t mtime;
};

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

class Extractor {
 public:
  Extractor(zip_t* archive, TargetTree& tree, Messages& messages)
      : archive_(archive), tree_(tree), messages_(messages), buffer_(kCopyBufferBytes) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    default_file_mode_ = 0666 & ~mask;
    default_folder_mode_ = 0777 & ~mask;
  }

  // Reads the names and metadata of every entry; refused ones are named and left out.
  std::vector<ArchiveEntry> ReadEntries() {
    std::vector<ArchiveEntry> entries;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
      try {
        entries.push_back(ReadEntry(index));
      } catch (const ItemError& error) {
        messages_.Failure(error.what());
      }
    }
    return entries;
  }

  // An entry below one of the archive's own links would be written through that link once it
  // exists: such entries are refused whatever order they come in.
  std::vector<ArchiveEntry> RefuseEntriesBelowLinks(std::vector<ArchiveEntry> entries) {
    std::set<std::string> links;
    for (const ArchiveEntry& entry : entries)
      if (entry.kind == EntryKind::kLink) links.insert(Joined(entry.path, entry.path.size()));
    std::vector<ArchiveEntry> kept;
    for (ArchiveEntry& entry : entries) {
      bool below_link = false;
      for (std::size_t depth = 1; depth < entry.path.size() && !below_link; ++depth)
        below_link = links.count(Joined(entry.path, depth)) > 0;
      if (below_link)
        messages_.Failure("voce rifiutata \"" + entry.name + "\": passa per un collegamento simbolico dell'archivio");
      else
        kept.push_back(std::move(entry));
    }
    return kept;
  }

  // Folders and files first, links after them, so that nothing is ever written through a link
  // the archive made; folder times and permissions last, deepest first, since writing into a
  // folder changes its time and a read-only folder would refuse its contents.
  void ExtractAll(const std::vector<ArchiveEntry>& entries) {
    for (const ArchiveEntry& entry : entries)
      if (entry.kind != EntryKind::kLink) Attempt([&] { Extract(entry); });
    for (const ArchiveEntry& entry : entries)
      if (entry.kind == EntryKind::kLink) Attempt([&] { tree_.PlaceLink(entry.path, ReadLinkTarget(entry), entry.mtime); });
    std::vector<const ArchiveEntry*> folders;
    for (const ArchiveEntry& entry : entries)
      if (entry.kind == EntryKind::kFolder) folders.push_back(&entry);
    std::stable_sort(folders.begin(), folders.end(),
                     [](const ArchiveEntry* a, const ArchiveEntry* b) { return a->path.size() > b->path.size(); });
    for (const ArchiveEntry* folder : folders)
      Attempt([&] { tree_.SetFolderMetadata(folder->path, folder->permissions, folder->mtime); });
  }

 private:
  template <typename Action>
  void Attempt(Action action) {
    try {
      action();
    } catch (const ItemError& error) {
      messages_.Failure(error.what());
    }
  }

  ArchiveEntry ReadEntry(zip_uint64_t index) {
    // Raw bytes, as Info-ZIP's unzip takes them on Unix: our own archives round-trip exactly.
    const char* raw_name = zip_get_name(archive_, index, ZIP_FL_ENC_RAW);
    if (raw_name == nullptr)
      throw ItemError("voce " + std::to_string(index) + " illeggibile: " + ZipErrorText(*zip_get_error(archive_)));
    ArchiveEntry entry{index, raw_name, SplitEntryName(raw_name), EntryKind::kFile, 0, 0};
    zip_stat_t stat;
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_stat_index(archive_, index, 0, &stat) != 0 ||
        zip_file_get_external_attributes(archive_, index, 0, &opsys, &attributes) != 0)
      throw ItemError("voce \"" + entry.name + "\" illeggibile: " + ZipErrorText(*zip_get_error(archive_)));
    const EntryType type = ReadEntryType(entry.name, opsys, attributes);
    if (type.special) throw ItemError("voce rifiutata \"" + entry.name + "\": non è un file, una cartella o un collegamento");
    entry.kind = type.kind;
    entry.permissions = type.permissions.value_or(type.kind == EntryKind::kFolder ? default_folder_mode_ : default_file_mode_);
    const std::optional<std::int64_t> exact = ExtendedTimestamp(archive_, index);
    entry.mtime = exact ? *exact : (stat.valid & ZIP_STAT_MTIME) ? stat.mtime : 0;
    return entry;
  }

  void Extract(const ArchiveEntry& entry) {
    if (entry.kind == EntryKind::kFolder) {
      tree_.OpenFolder(entry.path, entry.path.size(), true);
      return;
    }
    tree_.PlaceFile(entry.path, entry.permissions, entry.mtime, [&](int fd, const std::string& shown) {
      const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file = Open(entry);
      for (;;) {
        const zip_int64_t read = zip_fread(file.get(), buffer_.data(), buffer_.size());
        if (read < 0) throw ItemError("impossibile estrarre " + shown + ": " + ZipErrorText(*zip_file_get_error(file.get())));
        if (read == 0) break;
        WriteAll(fd, buffer_.data(), static_cast<std::size_t>(read), shown);
      }
    });
  }

  std::string ReadLinkTarget(const ArchiveEntry& entry) {
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file = Open(entry);
    std::string target(kMaxLinkTarget + 1, '\0');
    std::size_t used = 0;
    for (;;) {
      const zip_int64_t read = zip_fread(file.get(), target.data() + used, target.size() - used);
      if (read < 0) throw ItemError("impossibile estrarre \"" + entry.name + "\": " + ZipErrorText(*zip_file_get_error(file.get())));
      if (read == 0) break;
      used += static_cast<std::size_t>(read);
      if (used == target.size()) throw ItemError("voce rifiutata \"" + entry.name + "\": collegamento troppo lungo");
    }
    target.resize(used);
    if (target.empty() || target.find('\0') != std::string::npos)
      throw ItemError("voce rifiutata \"" + entry.name + "\": collegamento non valido");
    return target;
  }

  std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> Open(const ArchiveEntry& entry) {
    zip_file_t* file = zip_fopen_index(archive_, entry.index, 0);
    if (file == nullptr)
      throw ItemError("impossibile estrarre \"" + entry.name + "\": " + ZipErrorText(*zip_get_error(archive_)));
    return {file, zip_fclose};
  }

  zip_t* const archive_;
  TargetTree& tree_;
  Messages& messages_;
  std::vector<std::uint8_t> buffer_;
  mode_t default_file_mode_;
  mode_t default_folder_mode_;
};

}  // namespace

ExitCode Restore(const std::string& archive_path, const std::string& target, Messages& messages) {
  std::string error;
  zip_t* archive = OpenArchive(archive_path, ZIP_RDONLY, error);
  if (archive == nullptr) {
    messages.Failure("impossibile leggere l'archivio " + archive_path + ": " + error);
    return ExitCode::kNothingDone;
  }
  const std::unique_ptr<zip_t, void (*)(zip_t*)> closer(archive, zip_discard);
  std::optional<TargetTree> tree;
  try {
    tree.emplace(target);
  } catch (const ItemError& failure) {
    messages.Failure(failure.what());
    return ExitCode::kNothingDone;
  }
  Extractor extractor(archive, *tree, messages);
  extractor.ExtractAll(extractor.RefuseEntriesBelowLinks(extractor.ReadEntries()));
  return messages.failures() == 0 ? ExitCode::kDone : ExitCode::kSomeFailed;
}

}  // namespace archiver
