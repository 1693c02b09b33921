#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "archiver/file_handle.h"
#include "archiver/file_io.h"
#include "archiver/item_error.h"
#include "archiver/source_tree.h"

namespace archiver {

// The file was written to, truncated, replaced or renamed while it was being archived (or
// since it was listed): what was read may mix two versions and must not be archived.
class FileChanged : public ItemError {
 public:
  explicit FileChanged(const std::string& path) : ItemError("il file " + path + " è cambiato durante la lettura") {}
};

// A file being archived, read through one open file from the first byte to the last, so that
// every piece comes from the same file even when another one takes its name meanwhile. Its size
// and times are taken when it is opened and compared again once everything has been read.
class SourceFile {
 public:
  // Opens the item's file without following a link and without blocking on a FIFO that took its
  // place. Throws FileChanged when it is no longer the size or age it was listed with, ItemError
  // when it cannot be read or is no longer a regular file.
  explicit SourceFile(const SourceItem& item);

  // Reads size bytes from offset, or fewer where the file ends. Throws ItemError.
  [[nodiscard]] std::size_t ReadAt(std::uint8_t* buffer, std::size_t size, std::uint64_t offset) const;

  // Throws FileChanged when the file's size, modification or change time moved since it was opened.
  void CheckUnchanged() const;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  FileHandle file_;
  FileState opened_;
};

// Tests only: called after every read from a file being archived, with its path and the offset
// the read reached, so that a test can change the file at a chosen point. Not for concurrent use
// with a running backup; an empty function removes it.
void SetReadHookForTests(std::function<void(const std::string& path, std::uint64_t end)> hook);

}  // namespace archiver
