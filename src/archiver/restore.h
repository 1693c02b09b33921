#pragma once

#include <string>

#include "archiver/exit_code.h"
#include "archiver/messages.h"

namespace archiver {

// Extracts every entry of the archive below target (created when missing) with its stored
// path, permissions and modification time, replacing existing files. Target "/" puts files
// back where they came from. Entries that could land outside the target, that pass through a
// symbolic link, or that are devices or FIFOs are refused and named; so are entries whose
// data is damaged, and no partial file is ever left in their place.
[[nodiscard]] ExitCode Restore(const std::string& archive, const std::string& target, Messages& messages);

}  // namespace archiver
