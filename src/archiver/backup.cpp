#include "archiver/backup.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "archiver/archive_leftovers.h"
#include "archiver/archive_writer.h"
#include "archiver/compression_plan.h"
#include "archiver/fd_io.h"
#include "archiver/item_error.h"
#include "archiver/source_tree.h"

namespace archiver {

namespace {

// Packed bytes of small files kept from the probe until the archive is written.
constexpr std::size_t kKeepBudget = 64u << 20;

std::string AbsoluteFolder(const std::string& folder) {
  std::string path = std::filesystem::absolute(folder).lexically_normal().string();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{info.st_dev, info.st_ino};
}

}  // namespace

ExitCode Backup(const std::string& archive, const std::string& folder, Messages& messages) {
  RemoveLeftovers(archive, messages);
  std::vector<SourceItem> items;
  try {
    // The archive may lie inside the folder; it is never put into itself.
    items = ListTree(AbsoluteFolder(folder), IdentityOf(archive), messages);
  } catch (const ItemError& error) {
    messages.Failure(error.what());
    return ExitCode::kNothingDone;
  }

  std::vector<FilePlan> plans = PlanCompression(items, kKeepBudget);
  std::vector<bool> included(items.size(), true);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (plans[i].error.empty()) continue;
    messages.Failure(plans[i].error);
    included[i] = false;
  }

  // A file that fails while the archive is being written fails the whole write: it is left
  // out and the archive written again, which ends since each round leaves out one more.
  for (;;) {
    WriteResult result = WriteArchive(archive, items, plans, included);
    if (result.written) break;
    if (result.unreadable.empty()) {
      messages.Failure("impossibile scrivere l'archivio " + archive + ": " + result.error);
      return ExitCode::kNothingDone;
    }
    for (const auto& [item, text] : result.unreadable) {
      messages.Failure(text);
      included[item] = false;
    }
  }

  try {
    SyncFileAndFolder(archive);
  } catch (const ItemError& error) {
    messages.Failure(error.what());
  }
  return messages.failures() == 0 ? ExitCode::kDone : ExitCode::kSomeFailed;
}

}  // namespace archiver
