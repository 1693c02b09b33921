#include "archiver/restore.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "archiver/archive_entries.h"
#include "archiver/file_io.h"
#include "archiver/item_error.h"
#include "archiver/progress_report.h"
#include "archiver/stored_entry.h"
#include "archiver/target_tree.h"
#include "archiver/zip_archive.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

constexpr std::size_t kCopyBufferBytes = 256 * 1024;
// Entries up to this size are read (and inflated) in memory in one go; larger ones stream
// through libzip.
constexpr std::uint64_t kReadWhole = 4u << 20;
constexpr std::size_t kMaxLinkTarget = 4095;


EntryHandle OpenEntry(zip_t* archive, const ArchiveEntry& entry) {
  zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
  if (file == nullptr)
    throw ItemError("impossibile estrarre \"" + entry.name + "\": " + ZipErrorText(*zip_get_error(archive)));
  return {file, zip_fclose};
}

template <typename Action>
void Attempt(Messages& messages, Action action) {
  try {
    action();
  } catch (const ItemError& error) {
    messages.Failure(error.what());
  }
}

struct Extractor {
  Extractor(const std::string& archive_path, const std::string& target, Messages& messages)
      : archive(OpenArchiveToRead(archive_path, "leggere")), tree(target, messages), buffer(kCopyBufferBytes) {}

  void Extract(const ArchiveEntry& entry) {
    if (entry.kind == EntryKind::kFolder) {
      tree.MakeFolder(entry.path);
    } else if (entry.packing != ArchiveEntry::Packing::kOther && entry.size <= kReadWhole) {
      ExtractWhole(entry);
    } else {
      tree.PlaceFile(entry.path, entry.metadata,
                     [&](const FileHandle& out, const std::string& shown) { WriteStreamed(entry, out, shown); });
    }
  }

  // Read and checked in memory first: a file the target already holds exactly is left alone.
  void ExtractWhole(const ArchiveEntry& entry) {
    const std::string shown = tree.Shown(entry.path, entry.path.size());
    const EntryData data =
        reader.ReadWhole(archive.get(), entry.index, entry.size, entry.packing == ArchiveEntry::Packing::kDeflated);
    if (data.problem) throw ItemError("impossibile estrarre " + shown + ": " + *data.problem);
    if (data.size != entry.size) throw DamagedSize(shown);
    if (data.crc != entry.crc) {
      zip_error_t wrong_crc;
      zip_error_init_with_code(&wrong_crc, ZIP_ER_CRC);  // worded as when libzip finds it
      throw ItemError("impossibile estrarre " + shown + ": " + ZipErrorText(wrong_crc));
    }
    const auto size = static_cast<std::size_t>(data.size);
    if (!tree.HoldsAlready(entry.path, entry.metadata, reader.data(), size))
      tree.PlaceFile(entry.path, entry.metadata,
                     [&](const FileHandle& out, const std::string&) { WriteAll(out, reader.data(), size, shown); });
    progress->AddBytes(data.size);
  }

  // Through libzip, which checks the CRC.
  void WriteStreamed(const ArchiveEntry& entry, const FileHandle& out, const std::string& shown) {
    const EntryHandle file = OpenEntry(archive.get(), entry);
    std::uint64_t written = 0;
    for (;;) {
      const zip_int64_t read = zip_fread(file.get(), buffer.data(), buffer.size());
      if (read < 0)
        throw ItemError("impossibile estrarre " + shown + ": " + ZipErrorText(*zip_file_get_error(file.get())));
      if (read == 0) break;
      written += static_cast<std::uint64_t>(read);
      if (written > entry.size) break;  // no need to write out more of what is already wrong
      WriteAll(out, buffer.data(), static_cast<std::size_t>(read), shown);
      progress->AddBytes(static_cast<std::uint64_t>(read));
    }
    // libzip checks the CRC but not the length, so data that inflated to a different size
    // would otherwise count as restored.
    if (written != entry.size) throw DamagedSize(shown);
  }

  static ItemError DamagedSize(const std::string& shown) {
    return ItemError("impossibile estrarre " + shown + ": dati danneggiati (dimensione errata)");
  }

  ArchiveHandle archive;
  TargetTree tree;
  StoredEntryReader reader;
  std::vector<std::uint8_t> buffer;
  std::optional<ProgressReport> progress;
};

std::string ReadLinkTarget(zip_t* archive, const ArchiveEntry& entry) {
  const EntryHandle file = OpenEntry(archive, entry);
  std::string target(kMaxLinkTarget + 1, '\0');
  std::size_t used = 0;
  for (;;) {
    const zip_int64_t read = zip_fread(file.get(), target.data() + used, target.size() - used);
    if (read < 0)
      throw ItemError("impossibile estrarre \"" + entry.name + "\": " + ZipErrorText(*zip_file_get_error(file.get())));
    if (read == 0) break;
    used += static_cast<std::size_t>(read);
    if (used == target.size()) throw ItemError("voce rifiutata \"" + entry.name + "\": collegamento troppo lungo");
  }
  target.resize(used);
  if (target.empty() || target.find('\0') != std::string::npos)
    throw ItemError("voce rifiutata \"" + entry.name + "\": collegamento non valido");
  return target;
}

}  // namespace

ExitCode Restore(const std::string& archive_path, const std::string& target, Messages& messages) {
  std::optional<Extractor> extractor;  // the archive is opened first: a missing one creates no target
  try {
    extractor.emplace(archive_path, target, messages);
  } catch (const ItemError& failure) {
    messages.Failure(failure.what());
    return ExitCode::kNothingDone;
  }
  const std::vector<ArchiveEntry> entries = ReadArchiveEntries(extractor->archive.get(), messages);
  std::uint64_t files = 0, bytes = 0;
  for (const ArchiveEntry& entry : entries)
    if (entry.kind == EntryKind::kFile) {
      ++files;
      bytes += entry.size;
    }
  extractor->progress.emplace(messages.progress_channel(), files, bytes);

  // Folders and files first; links after them, so nothing is ever written through a link the
  // archive made; folder times and permissions last, deepest first, since writing into a
  // folder changes its time and a read-only folder would refuse its contents.
  for (const ArchiveEntry& entry : entries) {
    if (entry.kind != EntryKind::kLink) Attempt(messages, [&] { extractor->Extract(entry); });
    if (entry.kind == EntryKind::kFile) extractor->progress->AddFile();
  }
  for (const ArchiveEntry& entry : entries) {
    if (entry.kind != EntryKind::kLink) continue;
    Attempt(messages, [&] {
      extractor->tree.PlaceLink(entry.path, ReadLinkTarget(extractor->archive.get(), entry), entry.metadata.mtime);
    });
  }
  std::vector<const ArchiveEntry*> folders;
  for (const ArchiveEntry& entry : entries)
    if (entry.kind == EntryKind::kFolder) folders.push_back(&entry);
  std::stable_sort(folders.begin(), folders.end(),
                   [](const ArchiveEntry* a, const ArchiveEntry* b) { return a->path.size() > b->path.size(); });
  for (const ArchiveEntry* folder : folders)
    Attempt(messages, [&] { extractor->tree.SetFolderMetadata(folder->path, folder->metadata); });
  extractor->tree.Finish();
  extractor->progress->Finish();
  return messages.failures() == 0 ? ExitCode::kDone : ExitCode::kSomeFailed;
}

}  // namespace archiver
