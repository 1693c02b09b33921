#pragma once

#include <string>

#include "archiver/messages.h"

namespace archiver {

// libzip writes a new archive to "ARCHIVE.XXXXXX" beside it (six letters or digits) and renames
// it into place only when it is complete, so a run that was killed leaves that file behind.
bool IsLeftoverName(const std::string& name, const std::string& archive_name);

// Removes the leftovers of earlier runs on archive: files with a leftover's name that are
// empty or an unfinished ZIP file. A complete ZIP file is kept, since a user's own copy
// such as "ARCHIVE.backup" has that shape too.
void RemoveLeftovers(const std::string& archive, Messages& messages);

}  // namespace archiver
