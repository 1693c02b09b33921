#pragma once

#include <string>

#include "archiver/messages.h"

namespace archiver {

// Removes from the folder open at folder the temporary files and links of restores that are no
// longer running: of exactly that name and owned by this user. The caller holds the folder's
// exclusive lock, so no running restore is writing there. shown_folder names the folder in notices.
void RemoveAbandonedTemporaries(int folder, const std::string& shown_folder, Messages& messages);

}  // namespace archiver
