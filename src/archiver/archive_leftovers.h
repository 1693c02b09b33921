#pragma once

#include <string>

#include "archiver/file_handle.h"
#include "archiver/messages.h"

namespace archiver {

// libzip writes a new archive to "ARCHIVE.XXXXXX" beside it (six letters or digits) and renames
// it into place only when it is complete, so a run that was killed leaves that file behind.
bool IsLeftoverName(const std::string& name, const std::string& archive_name);

// An empty file, or one that starts a ZIP file but never got its end record: what a killed
// write leaves. A file that cannot be read is not one.
bool IsUnfinishedArchive(const FileHandle& file, std::uint64_t size);

// Removes the leftovers of earlier runs on archive: files with a leftover's name that are
// empty or an unfinished ZIP file. A complete ZIP file is kept, since a user's own copy
// such as "ARCHIVE.backup" has that shape too.
void RemoveLeftovers(const std::string& archive, Messages& messages);

}  // namespace archiver
