// Delete of one file or folder, and emptying the trash.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/file_operation_steps.h"
#include "platform/file_operations.h"
#include "platform/paths.h"
#include "platform/trash.h"

namespace platform::file_operations {
namespace {

constexpr const char* kDeleteTitle = "Eliminazione";
constexpr const char* kConfirmTitle = "Conferma eliminazione";
constexpr const char* kEmptyTrashTitle = "Svuota cestino";
// What a trash folder holds, after the freedesktop.org layout.
constexpr const char* kTrashParts[] = {"files", "info", "expunged"};

void RemoveForGood(const std::string& path) {
  steps::Progress progress(kDeleteTitle, steps::Measure(path));
  // A failure has been shown where it happened; the caller refreshes whatever the outcome.
  static_cast<void>(steps::RemoveTree(path, kDeleteTitle, progress));
}

}  // namespace

void SayCannotDeleteRoot() { ShowMessage("You can't delete root", "Delete", MessageIcon::Critical); }

bool RefuseMountPoint(const std::string& path) {
  if (!drives::IsMountPoint(path)) return false;
  SayCannotDeleteRoot();
  return true;
}

void DeleteItem(const std::string& path, DeleteMode mode) {
  if (RefuseMountPoint(path)) return;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    steps::ReportFailure(kDeleteTitle, "eliminare", path, errno);
    return;
  }
  const std::string item = (S_ISDIR(st.st_mode) ? "la cartella \"" : "il file \"") + path + "\"";
  if (mode == DeleteMode::Permanently) {
    if (steps::Confirmed("Eliminare definitivamente " + item + "? (S/N)", kConfirmTitle, "N"))
      RemoveForGood(path);
    return;
  }
  if (!steps::Confirmed("Spostare nel cestino " + item + "? (S/N)", kConfirmTitle, "S")) return;
  const trash::TrashAttempt attempt = trash::MoveToTrash(path);
  switch (attempt.result) {
    case trash::TrashResult::Trashed: return;
    case trash::TrashResult::Failed:
      steps::ReportFailure(kDeleteTitle, "spostare nel cestino", path, attempt.error);
      return;
    case trash::TrashResult::NotSupported:
      if (steps::Confirmed("Il cestino non può accogliere " + item +
                               ".\nEliminarlo definitivamente? (S/N)",
                           kConfirmTitle, "N"))
        RemoveForGood(path);
      return;
  }
}

void EmptyTrash(const std::vector<std::string>& trash_folders) {
  if (!steps::Confirmed("Eliminare definitivamente tutti gli elementi del cestino? (S/N)",
                        kEmptyTrashTitle, "N"))
    return;
  steps::Totals total;
  for (const std::string& folder : trash_folders) {
    const steps::Totals inside = steps::Measure(folder);
    total.bytes += inside.bytes;
    total.entries += inside.entries;
  }
  steps::Progress progress(kEmptyTrashTitle, total);
  for (const std::string& folder : trash_folders) {
    for (const char* part : kTrashParts) {
      const std::string part_folder = paths::Join(folder, part);
      int error = 0;
      for (const std::string& name : steps::EntryNames(part_folder, error))
        if (steps::RemoveTree(paths::Join(part_folder, name), kEmptyTrashTitle, progress) !=
            Outcome::Done)
          return;
      if (error != 0 && error != ENOENT) {
        steps::ReportFailure(kEmptyTrashTitle, "svuotare", part_folder, error);
        return;
      }
    }
    // The cached folder sizes would describe what is no longer there.
    const std::string sizes = paths::Join(folder, "directorysizes");
    if (::unlink(sizes.c_str()) != 0 && errno != ENOENT) {
      steps::ReportFailure(kEmptyTrashTitle, "svuotare", folder, errno);
      return;
    }
  }
}

}  // namespace platform::file_operations
