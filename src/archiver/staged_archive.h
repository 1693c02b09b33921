#pragma once

#include <zip.h>

#include <functional>
#include <string>

namespace archiver {

// Called with the path of a complete new archive before it takes the old one's place; returns
// false to keep the old archive.
using ArchiveAcceptance = std::function<bool(const std::string& temporary_path)>;

// Opens the archive at path (created when missing) for libzip to update. libzip writes the new
// archive to a temporary file beside it (path + "." + six letters or digits); it replaces the old
// archive only when accept agrees, with the old archive's permissions, once it is on disk, and
// the folder is flushed after the rename. Returns nullptr and sets error_text (in Italian, with
// the system's reason) when the archive cannot be opened.
[[nodiscard]] zip_t* OpenArchiveForUpdate(const std::string& path, ArchiveAcceptance accept, std::string& error_text);

}  // namespace archiver
