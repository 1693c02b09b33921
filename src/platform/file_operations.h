#pragma once

#include <string>
#include <vector>

// Copy, move and delete of files and folders, the way a desktop's file manager does them: it
// asks before it replaces anything (yes, yes to all, no, cancel), shows a progress window with
// a cancel button when the work takes more than a moment, and reports every failure to the
// user in a message. Nothing is left half-written: a file is copied under a temporary name
// and renamed into place once whole.
namespace platform::file_operations {

// How an operation ended. Every failure has already been shown to the user.
enum class Outcome { Done, Failed, Aborted };

// Copies the file or folder source into destination_folder. Copied into its own folder it is
// named "Copia di NAME". A folder is never copied into itself or one of its subfolders.
[[nodiscard]] Outcome CopyInto(const std::string& source, const std::string& destination_folder);

// Moves it: a rename within one file system; across file systems a copy, and the source is
// deleted only once its copy is whole. Moved into its own folder, nothing happens. A mount
// point is refused.
[[nodiscard]] Outcome MoveInto(const std::string& source, const std::string& destination_folder);

enum class DeleteMode { ToTrash, Permanently };

// Asks for confirmation naming the item, then deletes it. When its file system has no trash,
// asks whether to delete it permanently instead. A mount point is refused.
void DeleteItem(const std::string& path, DeleteMode mode);

// "You can't delete root", titled "Delete", with the critical icon.
void SayCannotDeleteRoot();

// A drive's root and every other mount point are never deleted nor moved away, since that
// would empty the disk mounted there: says so and returns true when path is one.
[[nodiscard]] bool RefuseMountPoint(const std::string& path);

// Asks for confirmation, then deletes everything inside each trash folder.
void EmptyTrash(const std::vector<std::string>& trash_folders);

// The name of a copy that lands beside its source: "Copia di NAME", "Copia (2) di NAME", ...
std::string CopyName(const std::string& name, int attempt);

}  // namespace platform::file_operations
