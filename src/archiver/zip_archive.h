#pragma once

#include <zip.h>

#include <string>

namespace archiver {

// Opens an archive with libzip's flags (ZIP_CREATE, ZIP_RDONLY...). Returns nullptr and sets
// error_text (in Italian, with the system's reason) when it cannot.
[[nodiscard]] zip_t* OpenArchive(const std::string& path, int flags, std::string& error_text);

}  // namespace archiver
