#include "archiver/archive_writer.h"

#include <zip.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "archiver/compression_pipeline.h"
#include "archiver/deflater.h"
#include "archiver/entry_conflicts.h"
#include "archiver/entry_metadata.h"
#include "archiver/entry_name.h"
#include "archiver/entry_sources.h"
#include "archiver/item_error.h"
#include "archiver/staged_archive.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

void Check(zip_t* archive, int result) {
  if (result < 0) throw std::runtime_error(ZipErrorText(*zip_get_error(archive)));
}

// A replaced entry keeps its old extra fields, so they go first: a stale timestamp would
// otherwise outlive the new data.
void SetMetadata(zip_t* archive, zip_uint64_t index, const SourceItem& item, Method method, std::int64_t started) {
  Check(archive, zip_file_extra_field_delete(archive, index, ZIP_EXTRA_FIELD_ALL, ZIP_FL_LOCAL | ZIP_FL_CENTRAL));
  const auto stored_at = EncodeStoredAt(started);
  Check(archive, zip_file_extra_field_set(archive, index, kStoredAtId, ZIP_EXTRA_FIELD_NEW, stored_at.data(),
                                          stored_at.size(), ZIP_FL_CENTRAL));
  Check(archive, zip_file_set_mtime(archive, index, static_cast<time_t>(item.mtime), 0));
  if (const auto timestamp = EncodeExtendedTimestamp(item.mtime)) {
    for (const zip_flags_t where : {ZIP_FL_LOCAL, ZIP_FL_CENTRAL})
      Check(archive, zip_file_extra_field_set(archive, index, kExtendedTimestampId, ZIP_EXTRA_FIELD_NEW,
                                              timestamp->data(), timestamp->size(), where));
  }
  Check(archive, zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                                  ExternalAttributes(item.kind, item.permissions, item.hidden)));
  if (method == Method::kDeflate)
    Check(archive, zip_set_file_compression(archive, index, ZIP_CM_DEFLATE, kCompressionLevel));
  else
    Check(archive, zip_set_file_compression(archive, index, ZIP_CM_STORE, 0));
}

// Adds the entries and then starts the parallel compressors in the order libzip will ask for
// their results.
class EntryAdder {
 public:
  EntryAdder(zip_t* archive, std::int64_t started, SourceFailures& failures, ProgressReport& progress)
      : archive_(archive), started_(started), failures_(failures), progress_(progress) {}

  void Add(const SourceItem& item, std::size_t index, FilePlan& plan) {
    Method method = Method::kStore;
    zip_source_t* source = nullptr;
    bool pipelined = false;
    switch (item.kind) {
      case EntryKind::kFolder:
        source = zip_source_buffer(archive_, nullptr, 0, 0);
        break;
      case EntryKind::kLink:
        source = zip_source_buffer(archive_, item.link_target.data(), item.link_target.size(), 0);
        break;
      case EntryKind::kFile:
        method = plan.method;
        pipelined = method == Method::kDeflate && !plan.packed;
        source = SourceForFile(item, index, plan, pipelined);
        break;
    }
    if (source == nullptr) Check(archive_, -1);
    const zip_int64_t entry = zip_file_add(archive_, item.name.c_str(), source, ZIP_FL_OVERWRITE);
    if (entry < 0) {
      zip_source_free(source);
      Check(archive_, -1);
    }
    SetMetadata(archive_, static_cast<zip_uint64_t>(entry), item, method, started_);
    if (pipelined) queued_.push_back({static_cast<zip_uint64_t>(entry), &item, &tickets_.back()});
  }

  // Jobs go in entry order, the order zip_close reads the sources in. A file too large for
  // memory becomes a run of pieces.
  void StartPipeline(std::optional<CompressionPipeline>& pipeline) {
    std::sort(queued_.begin(), queued_.end(), [](const Queued& a, const Queued& b) { return a.entry < b.entry; });
    std::vector<CompressionPipeline::Job> jobs;
    for (const Queued& queued : queued_) {
      const SourceItem& item = *queued.item;
      queued.ticket->first_job = jobs.size();
      if (item.size <= kInMemoryLimit) {
        jobs.push_back({&item, item.size, std::nullopt});
      } else {
        constexpr std::uint64_t kPiece = CompressionPipeline::kPieceBytes;
        for (std::uint64_t offset = 0; offset < item.size; offset += kPiece) {
          const std::uint64_t size = std::min(kPiece, item.size - offset);
          jobs.push_back({&item, size, CompressionPipeline::Piece{offset, offset + size == item.size}});
        }
      }
      queued.ticket->jobs = jobs.size() - queued.ticket->first_job;
    }
    pipeline.emplace(std::move(jobs), kPipelineBudget);
    for (PipelineTicket& ticket : tickets_) ticket.pipeline = &*pipeline;
  }

 private:
  struct Queued {
    zip_uint64_t entry;
    const SourceItem* item;
    PipelineTicket* ticket;
  };

  zip_source_t* SourceForFile(const SourceItem& item, std::size_t index, FilePlan& plan, bool pipelined) {
    if (plan.packed) {
      PackedData packed = std::move(*plan.packed);
      plan.packed.reset();
      return PackedSource(archive_, std::move(packed), plan.method, progress_);
    }
    if (pipelined) return PipelineSource(archive_, tickets_.emplace_back(), item.size, index, failures_, progress_);
    return StreamedFileSource(archive_, item, index, failures_, progress_);
  }

  zip_t* const archive_;
  const std::int64_t started_;
  SourceFailures& failures_;
  ProgressReport& progress_;
  std::deque<PipelineTicket> tickets_;  // a deque, so the sources' references stay valid
  std::vector<Queued> queued_;
};

// Deletes the old entries that a change of type has made stale, and those with stored bytes
// libzip cannot match that a new entry replaces, before the new ones are added.
void DropConflictingEntries(zip_t* archive, const std::vector<SourceItem>& items, const std::vector<bool>& included,
                            const std::vector<FilePlan>& plans) {
  std::vector<NamedEntry> old_entries;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    const std::optional<std::string> name = EntryName(archive, index);
    const char* stored = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    const char* guessed = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    if (!name || stored == nullptr || guessed == nullptr) Check(archive, -1);
    old_entries.push_back({*name, index, std::string_view(stored) == guessed ? "" : stored});
  }
  if (old_entries.empty()) return;
  std::vector<std::string> new_names;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (included[i] && !plans[i].kept) new_names.push_back(items[i].name);
  for (const std::uint64_t index : ConflictingEntries(old_entries, new_names))
    Check(archive, zip_delete(archive, index));
}

}  // namespace

WriteResult WriteArchive(const std::string& archive_path, const std::vector<SourceItem>& items,
                         std::vector<FilePlan>& plans, const std::vector<bool>& included, std::int64_t started,
                         ProgressReport& progress) {
  WriteResult result;
  std::unordered_map<std::string, std::size_t> written;  // entry name -> item, for this run's entries
  std::unordered_set<std::string> trusted;               // entries kept for unchanged files
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!included[i]) continue;
    if (plans[i].kept)
      trusted.insert(items[i].name);
    else
      written.emplace(items[i].name, i);
  }

  // Every entry but those kept for unchanged files is read back before the new archive replaces
  // the old one. An old entry that was already damaged stays as it was (dropping it would lose
  // what is left of it).
  std::string check_error;
  auto accept = [&](const std::string& temporary) {
    try {
      for (DamagedEntry& damaged : CheckArchive(temporary, trusted)) {
        const auto item = written.find(damaged.name);
        if (item != written.end())
          result.changed.push_back(item->second);
        else
          result.damaged_copies.push_back(std::move(damaged));
      }
    } catch (const std::exception& error) {
      check_error = error.what();
      return false;
    }
    return result.changed.empty();
  };
  zip_t* archive = OpenArchiveForUpdate(archive_path, accept, result.error);
  if (archive == nullptr) return result;

  SourceFailures failures;
  EntryAdder adder(archive, started, failures, progress);
  std::optional<CompressionPipeline> pipeline;  // outlives the sources that read from it
  try {
    DropConflictingEntries(archive, items, included, plans);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!included[i]) continue;
      if (!plans[i].kept) {
        adder.Add(items[i], i, plans[i]);
        continue;
      }
      progress.AddBytes(items[i].size);
      progress.AddFile();
    }
    adder.StartPipeline(pipeline);
  } catch (const std::exception& error) {
    result.error = error.what();
    zip_discard(archive);
    return result;
  }
  if (zip_close(archive) == 0) {
    result.written = true;
    return result;
  }
  result.unreadable = failures.TakeUnreadable();
  for (const std::size_t item : failures.TakeChanged()) result.changed.push_back(item);
  result.error = check_error.empty() ? ZipErrorText(*zip_get_error(archive)) : check_error;
  zip_discard(archive);
  return result;
}

}  // namespace archiver
