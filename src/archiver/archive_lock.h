#pragma once

#include <string>

#include "archiver/messages.h"
#include "archiver/file_handle.h"

namespace archiver {

// One backup at a time per archive: a second run waits for the first instead of removing its
// temporary file as a leftover or replacing its archive with one that lacks its entries. The lock
// is a file beside the archive (ARCHIVE.lock), held with the system's file lock, so a killed run
// releases it; it is removed when the lock is released.
class ArchiveLock {
 public:
  // Waits while another run holds the archive, saying so once. Throws ItemError when the lock
  // file cannot be created or locked.
  ArchiveLock(const std::string& archive, Messages& messages);
  ~ArchiveLock();
  static std::string PathFor(const std::string& archive) { return archive + ".lock"; }
  ArchiveLock(const ArchiveLock&) = delete;
  ArchiveLock& operator=(const ArchiveLock&) = delete;

 private:
  std::string path_;
  FileHandle file_;
};

}  // namespace archiver
