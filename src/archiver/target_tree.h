#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archiver/entry_metadata.h"
#include "archiver/file_handle.h"
#include "archiver/messages.h"

namespace archiver {

using Components = std::vector<std::string>;

// What a restored item gets besides its data. Linux applies the permissions; Windows makes an
// item without its owner's write permission read-only, and applies the hidden attribute.
struct ItemMetadata {
  UnixMode permissions = 0;
  bool hidden = false;
  ModificationTime mtime;
};

// The restore target, entered only downwards: every folder is opened from its parent without
// following a symbolic link (or, on Windows, any reparse point), so nothing is written outside
// the target whatever the archive says or the target already holds. Files and links are
// written under a temporary name in their folder and renamed over the old one only when
// complete; the temporary files a killed restore left in a folder go the first time a file is
// put there.
class TargetTree {
 public:
  // Opens target, creating it when missing; throws ItemError when it can do neither.
  TargetTree(const std::string& target, Messages& messages);
  ~TargetTree();
  TargetTree(const TargetTree&) = delete;
  TargetTree& operator=(const TargetTree&) = delete;

  // Makes the folder at path, and those above it, where missing. Throws ItemError, also when
  // the way passes through a link or something that is not a folder.
  void MakeFolder(const Components& path);

  // Puts a file at path: write(file, shown_path) fills a fresh temporary file, which then gets
  // the metadata and takes the final name, possibly after PlaceFile returns (see Finish). On
  // failure the temporary file goes and whatever had the name before is left as it was.
  void PlaceFile(const Components& path, const ItemMetadata& metadata,
                 const std::function<void(const FileHandle& file, const std::string& shown_path)>& write);

  // Whether path is already a file holding exactly data, with the metadata a restore would give
  // it: restoring it again would change nothing.
  bool HoldsAlready(const Components& path, const ItemMetadata& metadata, const std::uint8_t* data, std::size_t size);

  // Returns once every file placed so far has its final name, or its failure has been told.
  void Finish();

  // Puts a symbolic link at path the same way; the link is never followed.
  void PlaceLink(const Components& path, const std::string& link_target, ModificationTime mtime);

  // Sets the time, and the permissions or attributes of a folder this restore created. One that
  // was already there keeps its own: restoring to "/" must not take the sticky bit off a shared
  // folder, setgid off a group's folder, or open up a private one.
  void SetFolderMetadata(const Components& path, const ItemMetadata& metadata);

  // The path as the user knows it: the target followed by the components.
  std::string Shown(const Components& path, std::size_t depth) const;

 private:
  struct State;  // the system's own
  std::unique_ptr<State> state_;
};

}  // namespace archiver
