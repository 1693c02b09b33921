#pragma once

#include <string>

#include "archiver/messages.h"

namespace archiver {

// Removes from the folder open at folder the temporary files and links of restores that are no
// longer running: of exactly that name, owned by this user, and, for files, not locked by the
// restore writing them (the lock goes with its process). shown_folder names the folder in notices.
void RemoveAbandonedTemporaries(int folder, const std::string& shown_folder, Messages& messages);

}  // namespace archiver
