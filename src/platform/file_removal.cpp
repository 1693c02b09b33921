// Delete of one file or folder, and emptying the trash.
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/file_items.h"
#include "platform/file_operation_steps.h"
#include "platform/file_operations.h"
#include "platform/paths.h"
#include "platform/trash.h"

namespace platform::file_operations {
namespace {

constexpr const char* kDeleteTitle = "Eliminazione";
constexpr const char* kConfirmTitle = "Conferma eliminazione";
constexpr const char* kEmptyTrashTitle = "Svuota cestino";

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
  int error = 0;
  const std::optional<items::Item> found = items::Look(path, error);
  if (!found) {
    steps::ReportFailure(kDeleteTitle, "eliminare", path, error);
    return;
  }
  const std::string item =
      (found->kind == items::Kind::Folder ? "la cartella \"" : "il file \"") + path + "\"";
  if (mode == DeleteMode::Permanently) {
    if (steps::Confirmed("Eliminare definitivamente " + item + "? (S/N)", kConfirmTitle, "N"))
      RemoveForGood(path);
    return;
  }
  if (!steps::Confirmed("Spostare nel cestino " + item + "? (S/N)", kConfirmTitle, "S")) return;
  const trash::TrashAttempt attempt = trash::MoveToTrash(path);
  switch (attempt.result) {
    case trash::TrashResult::Trashed:
    case trash::TrashResult::Declined: return;
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
  trash::EmptyTrashFolders(trash_folders, kEmptyTrashTitle);
}

}  // namespace platform::file_operations
