#include "archiver/zip_archive.h"

#include "archiver/item_error.h"
#include "archiver/zip_error_text.h"

namespace archiver {

zip_t* OpenArchive(const std::string& path, int flags, std::string& error_text) {
  // Through a file source rather than zip_open, whose error code loses the system's reason.
  zip_error_t error;
  zip_error_init(&error);
  zip_t* archive = nullptr;
  if (zip_source_t* source = zip_source_file_create(path.c_str(), 0, -1, &error)) {
    archive = zip_open_from_source(source, flags, &error);
    if (archive == nullptr) zip_source_free(source);
  }
  if (archive == nullptr) error_text = ZipErrorText(error);
  zip_error_fini(&error);
  return archive;
}

ArchiveHandle OpenArchiveToRead(const std::string& path, const std::string& action) {
  std::string error;
  zip_t* archive = OpenArchive(path, ZIP_RDONLY, error);
  if (archive == nullptr) throw ItemError("impossibile " + action + " l'archivio " + path + ": " + error);
  return {archive, zip_discard};
}

}  // namespace archiver
