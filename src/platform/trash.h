#pragma once

#include <string>
#include <vector>

// The desktop's trash. On Linux the freedesktop.org trash layout: the user's own trash in the
// data folder, and a ".Trash-UID" folder at the top of other mounts. On Windows the recycle
// bin of each drive, reached through the shell.
namespace platform::trash {

// Declined: the user answered the system's own question (deleting for good an item that no
// recycle bin can take) with no; nothing changed.
enum class TrashResult { Trashed, NotSupported, Declined, Failed };

struct TrashAttempt {
  TrashResult result;
  std::string error;  // the system's description when Failed
};

// Moves the file or folder into the trash of its file system.
[[nodiscard]] TrashAttempt MoveToTrash(const std::string& path);

// Deletes everything in the trash folders (on Windows: every drive's recycle bin) with a
// progress window titled title; reports a failure itself and stops there. Asks nothing.
void EmptyTrashFolders(const std::vector<std::string>& trash_folders, const std::string& title);

// The trash folders, for this user and the drives, that exist as folders now.
std::vector<std::string> TrashFolders();

// Linux: "Trash" in the user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
std::string HomeTrashFolder();

// Linux: where trash folders can be: the home trash, then ".Trash-UID" and ".Trash/UID" at the top
// of each mount point.
std::vector<std::string> TrashFolderCandidates(const std::string& home_trash,
                                               const std::vector<std::string>& mount_points,
                                               unsigned uid);

// Windows: what a delete into the recycle bin through the shell came to, from the flag the shell
// sets when the user answered no (read first: the call may still return 0) and the value it
// returned, one of the shell's own codes (0x75: cancelled, 0x78: access denied, ...) or else a
// system error code.
TrashAttempt TrashOutcome(bool any_aborted, int shell_result);

}  // namespace platform::trash
