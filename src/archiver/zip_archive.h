#pragma once

#include <zip.h>

#include <memory>
#include <string>

namespace archiver {

// Opens an archive with libzip's flags (ZIP_CREATE, ZIP_RDONLY...). Returns nullptr and sets
// error_text (in Italian, with the system's reason) when it cannot.
[[nodiscard]] zip_t* OpenArchive(const std::string& path, int flags, std::string& error_text);

using ArchiveHandle = std::unique_ptr<zip_t, void (*)(zip_t*)>;
using EntryHandle = std::unique_ptr<zip_file_t, int (*)(zip_file_t*)>;

// Opens an archive to read it, discarded when the handle goes; throws ItemError
// "impossibile <action> l'archivio PATH: reason" when it cannot.
[[nodiscard]] ArchiveHandle OpenArchiveToRead(const std::string& path, const std::string& action);

}  // namespace archiver
