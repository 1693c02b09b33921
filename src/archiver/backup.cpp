#include "archiver/backup.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "archiver/archive_leftovers.h"
#include "archiver/archive_lock.h"
#include "archiver/archive_writer.h"
#include "archiver/compression_plan.h"
#include "archiver/item_error.h"
#include "archiver/kept_entries.h"
#include "archiver/progress_report.h"
#include "archiver/source_file.h"
#include "archiver/source_tree.h"
#include "archiver/utf8_path.h"

namespace archiver {

namespace {

// Packed bytes of small files kept from the probe until the archive is written.
constexpr std::size_t kKeepBudget = 64u << 20;

std::filesystem::path AbsoluteFolder(const std::string& folder) {
  std::filesystem::path path = std::filesystem::absolute(PathFromUtf8(folder)).lexically_normal();
  while (!path.has_filename() && path != path.root_path()) path = path.parent_path();  // "a/b/" is "a/b"
  return path;
}

// Entries go under the folder's real path: a restore to "/" never writes through a symbolic
// link, so a folder reached through one (a home under /var/home, a linked Documenti) could
// otherwise never be restored over its originals. No notice: the few message lines the main
// program shows are kept for failures.
std::string RealFolder(const std::string& folder) {
  const std::filesystem::path absolute = AbsoluteFolder(folder);
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(absolute, error);
  return Utf8Of(error ? absolute : real);  // listing a folder that cannot be resolved says what is wrong
}

// The archive and its lock, which may lie inside the folder being archived.
std::vector<FileIdentity> OwnFiles(const std::string& archive) {
  std::vector<FileIdentity> identities;
  for (const std::string& path : {archive, ArchiveLock::PathFor(archive)})
    if (const std::optional<FileIdentity> identity = IdentityOf(path)) identities.push_back(*identity);
  return identities;
}

// Who reads a changed file again and who gives up on it: each file gets one more reading.
class ChangedFiles {
 public:
  ChangedFiles(std::vector<SourceItem>& items, std::vector<bool>& included, Messages& messages)
      : items_(items), included_(included), retried_(items.size(), false), messages_(messages) {}

  // Takes the file's new size and time for one more reading, or leaves it out for good (its
  // entry in the old archive, if any, stays). Returns whether it is read again.
  bool ReadAgain(std::size_t i) {
    SourceItem& item = items_[i];
    if (retried_[i]) {
      Drop(i, "impossibile archiviare " + item.path +
                  ": il file cambia mentre viene letto (resta la copia precedente, se c'è)");
      return false;
    }
    retried_[i] = true;
    try {
      SourceItem now = ListItem(item.path);
      if (now.kind != EntryKind::kFile)
        throw ItemError("impossibile leggere " + item.path + ": non è più un file normale");
      item = std::move(now);
    } catch (const ItemError& error) {
      Drop(i, error.what());
      return false;
    }
    messages_.Notice(item.path + " è cambiato durante la lettura: lo rileggo");
    return true;
  }

  void Drop(std::size_t i, const std::string& text) {
    messages_.Failure(text);
    included_[i] = false;
  }

 private:
  std::vector<SourceItem>& items_;
  std::vector<bool>& included_;
  std::vector<bool> retried_;
  Messages& messages_;
};

// A file found changed by the probe is listed and probed once more.
void ProbeChangedAgain(std::vector<SourceItem>& items, std::vector<FilePlan>& plans, ChangedFiles& changed) {
  std::vector<std::size_t> again;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (plans[i].changed && changed.ReadAgain(i)) again.push_back(i);
  if (again.empty()) return;
  std::vector<SourceItem> subset;
  for (const std::size_t i : again) subset.push_back(items[i]);
  std::vector<FilePlan> replanned = PlanCompression(subset, kKeepBudget);
  for (std::size_t k = 0; k < again.size(); ++k) plans[again[k]] = std::move(replanned[k]);
}

}  // namespace

ExitCode Backup(const std::string& archive, const std::string& folder, Messages& messages) {
  const std::int64_t started = std::time(nullptr);  // before any file is looked at
  std::optional<ArchiveLock> lock;
  std::vector<SourceItem> items;
  try {
    lock.emplace(archive, messages);
    RemoveLeftovers(archive, messages);
    // The archive may lie inside the folder; it is never put into itself.
    items = ListTree(RealFolder(folder), OwnFiles(archive), messages);
  } catch (const ItemError& error) {
    messages.Failure(error.what());
    return ExitCode::kNothingDone;
  }

  // The totals are told before the files are probed, which takes a while of its own.
  std::uint64_t files = 0, bytes = 0;
  for (const SourceItem& item : items)
    if (item.kind == EntryKind::kFile) {
      ++files;
      bytes += item.size;
    }
  ProgressReport progress(messages.progress_channel(), files, bytes);

  std::vector<bool> included(items.size(), true);
  ChangedFiles changed(items, included, messages);
  std::vector<FilePlan> plans = PlanCompression(items, kKeepBudget, UnchangedFiles(archive, items));
  ProbeChangedAgain(items, plans, changed);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (included[i] && !plans[i].error.empty()) changed.Drop(i, plans[i].error);

  // A file that fails or changes while the archive is written fails the whole write: the archive
  // is written again, reading a changed file once more and leaving out an unreadable one. It ends,
  // since each round reads one file again for the last time or leaves one out.
  for (;; progress.Restart()) {
    WriteResult result = WriteArchive(archive, items, plans, included, started, progress);
    if (result.written) {
      for (const DamagedEntry& damaged : result.damaged_copies)
        messages.Failure("voce danneggiata già nell'archivio " + archive + ": \"" + damaged.name + "\": " +
                         damaged.problem);
      progress.Finish();
      break;
    }
    if (result.unreadable.empty() && result.changed.empty()) {
      messages.Failure("impossibile scrivere l'archivio " + archive + ": " + result.error);
      return ExitCode::kNothingDone;
    }
    for (const auto& [item, text] : result.unreadable) changed.Drop(item, text);
    std::sort(result.changed.begin(), result.changed.end());
    result.changed.erase(std::unique(result.changed.begin(), result.changed.end()), result.changed.end());
    for (const std::size_t item : result.changed) changed.ReadAgain(item);
  }
  return messages.failures() == 0 ? ExitCode::kDone : ExitCode::kSomeFailed;
}

}  // namespace archiver
