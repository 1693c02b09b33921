#pragma once

#include <random>
#include <string>

#include "archiver/messages.h"

namespace archiver {

// A restore writes each file and link under a temporary name in its folder, ".archivia-" and
// eight letters or digits, and renames it into place when it is complete; a restore that was
// killed leaves that file behind.
std::string NewTemporaryName(std::mt19937_64& random);
bool IsTemporaryName(const std::string& name);

// Removes from the folder the temporary files and links of restores that are no longer
// running: of exactly that name, owned by this user, and, for files, not locked by the restore
// writing them (the lock goes with its process). shown_folder names the folder in notices.
void RemoveAbandonedTemporaries(int folder, const std::string& shown_folder, Messages& messages);

}  // namespace archiver
