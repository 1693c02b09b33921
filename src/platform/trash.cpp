#include "platform/trash.h"

#include <gio/gio.h>
#include <unistd.h>

#include <algorithm>

#include "platform/drives.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace platform::trash {

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

}  // namespace platform::trash
