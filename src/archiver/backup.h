#pragma once

#include <string>

#include "archiver/exit_code.h"
#include "archiver/messages.h"

namespace archiver {

// Puts every file, folder and symbolic link below folder into the archive, each under its
// absolute path without the leading "/". An existing archive is updated: entries of the same
// name are replaced, the others kept. The archive is replaced only once the new one is
// complete and is then flushed to disk. Files that cannot be read are named and left out.
[[nodiscard]] ExitCode Backup(const std::string& archive, const std::string& folder, Messages& messages);

}  // namespace archiver
