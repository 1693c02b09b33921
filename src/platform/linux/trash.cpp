#include "platform/trash.h"

#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/drives.h"
#include "platform/file_items.h"
#include "platform/file_operation_steps.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform::trash {
namespace {

namespace steps = file_operations::steps;
using file_operations::Outcome;

// What a trash folder holds, after the freedesktop.org layout.
constexpr const char* kTrashParts[] = {"files", "info", "expunged"};

}  // namespace

TrashAttempt MoveToTrash(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GError* error = nullptr;
  TrashAttempt attempt{TrashResult::Trashed, {}};
  if (!g_file_trash(file, nullptr, &error)) {
    attempt.result = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED)
                         ? TrashResult::NotSupported
                         : TrashResult::Failed;
    attempt.error = error ? error->message : "";
  }
  if (error) g_error_free(error);
  g_object_unref(file);
  return attempt;
}

std::string HomeTrashFolder() { return paths::Join(g_get_user_data_dir(), "Trash"); }

std::vector<std::string> TrashFolderCandidates(const std::string& home_trash,
                                               const std::vector<std::string>& mount_points,
                                               unsigned uid) {
  std::vector<std::string> candidates{home_trash};
  const std::string id = std::to_string(uid);
  for (const std::string& top : mount_points) {
    candidates.push_back(paths::Join(top, ".Trash-" + id));
    candidates.push_back(paths::Join(paths::Join(top, ".Trash"), id));
  }
  return candidates;
}

std::vector<std::string> TrashFolders() {
  std::vector<std::string> mount_points;
  for (const drives::Drive& drive : drives::ListDrives()) mount_points.push_back(drive.mount_point);
  std::vector<std::string> found;
  for (const std::string& folder :
       TrashFolderCandidates(HomeTrashFolder(), mount_points, ::getuid()))
    if (files::IsFolder(folder) && std::find(found.begin(), found.end(), folder) == found.end())
      found.push_back(folder);
  return found;
}

void EmptyTrashFolders(const std::vector<std::string>& trash_folders, const std::string& title) {
  steps::Totals total;
  for (const std::string& folder : trash_folders) {
    const steps::Totals inside = steps::Measure(folder);
    total.bytes += inside.bytes;
    total.entries += inside.entries;
  }
  steps::Progress progress(title, total);
  for (const std::string& folder : trash_folders) {
    for (const char* part : kTrashParts) {
      const std::string part_folder = paths::Join(folder, part);
      int error = 0;
      for (const std::string& name : file_operations::items::EntryNames(part_folder, error))
        if (steps::RemoveTree(paths::Join(part_folder, name), title, progress) != Outcome::Done)
          return;
      if (error != 0 && error != ENOENT) {
        steps::ReportFailure(title, "svuotare", part_folder, error);
        return;
      }
    }
    // The cached folder sizes would describe what is no longer there.
    const std::string sizes = paths::Join(folder, "directorysizes");
    if (::unlink(sizes.c_str()) != 0 && errno != ENOENT) {
      steps::ReportFailure(title, "svuotare", folder, errno);
      return;
    }
  }
}

}  // namespace platform::trash
