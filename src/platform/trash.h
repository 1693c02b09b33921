#pragma once

#include <string>
#include <vector>

// The desktop trash as the freedesktop.org trash layout has it: the user's own trash in the
// data folder, and a ".Trash-UID" folder at the top of other mounts. No desktop service needed.
namespace platform::trash {

enum class TrashResult { Trashed, NotSupported, Failed };

struct TrashAttempt {
  TrashResult result;
  std::string error;  // the system's description when Failed
};

// Moves the file or folder into the trash of its file system.
[[nodiscard]] TrashAttempt MoveToTrash(const std::string& path);

// "Trash" in the user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
std::string HomeTrashFolder();

// Where trash folders can be: the home trash, then ".Trash-UID" and ".Trash/UID" at the top
// of each mount point.
std::vector<std::string> TrashFolderCandidates(const std::string& home_trash,
                                               const std::vector<std::string>& mount_points,
                                               unsigned uid);

// The candidates, for this user and the drives, that exist as folders now.
std::vector<std::string> TrashFolders();

}  // namespace platform::trash
