#include "archiver/source_file.h"

#include <utility>

namespace archiver {

namespace {

std::function<void(const std::string&, std::uint64_t)>& ReadHook() {
  static std::function<void(const std::string&, std::uint64_t)> hook;
  return hook;
}

}  // namespace

SourceFile::SourceFile(const SourceItem& item)
    : path_(item.path), file_(OpenToRead(item.path)), opened_(StateOf(file_, path_)) {
  if (!opened_.regular) throw ItemError("impossibile leggere " + path_ + ": non è più un file normale");
  // The entry's size and time were taken from the listing; the data must be of that version.
  if (opened_.size != item.size || opened_.mtime != item.mtime) throw FileChanged(path_);
}

std::size_t SourceFile::ReadAt(std::uint8_t* buffer, std::size_t size, std::uint64_t offset) const {
  const std::size_t read = archiver::ReadAt(file_, buffer, size, offset, path_);
  if (ReadHook()) ReadHook()(path_, offset + read);
  return read;
}

void SourceFile::CheckUnchanged() const {
  const FileState now = StateOf(file_, path_);
  // A rename or a replacement by another file moves the change time of the file held open.
  if (now.size != opened_.size || now.modified_ns != opened_.modified_ns || now.changed_ns != opened_.changed_ns)
    throw FileChanged(path_);
}

void SetReadHookForTests(std::function<void(const std::string& path, std::uint64_t end)> hook) {
  ReadHook() = std::move(hook);
}

}  // namespace archiver
