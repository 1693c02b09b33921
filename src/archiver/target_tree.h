#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "archiver/messages.h"
#include "archiver/unique_fd.h"

namespace archiver {

using Components = std::vector<std::string>;

// The restore target, entered only downwards: every folder is opened from its parent without
// following a symbolic link, so nothing is written outside the target whatever the archive
// says or the target already holds. Files and links are written under a temporary name in
// their folder and renamed over the old one only when complete; the temporary files a killed
// restore left in a folder go the first time a file is put there.
class TargetTree {
 public:
  // Opens target, creating it when missing; throws ItemError when it can do neither.
  TargetTree(const std::string& target, Messages& messages);

  // The folder made of the first depth components, created when missing if create is set.
  // The descriptor belongs to the tree and stays valid until the next call. Throws ItemError,
  // also when the way passes through a symbolic link or something that is not a folder.
  int OpenFolder(const Components& path, std::size_t depth, bool create);

  // Puts a file at path: write(fd, shown_path) fills a fresh temporary file, which then gets
  // the permissions and the modification time and takes the final name. On failure the
  // temporary file goes and whatever had the name before is left as it was.
  void PlaceFile(const Components& path, mode_t permissions, std::int64_t mtime,
                 const std::function<void(int fd, const std::string& shown_path)>& write);

  // Puts a symbolic link at path the same way; the link is never followed.
  void PlaceLink(const Components& path, const std::string& link_target, std::int64_t mtime);

  // Sets the time, and the permissions of a folder this restore created. One that was already
  // there keeps its own: restoring to "/" must not take the sticky bit off a shared folder,
  // setgid off a group's folder, or open up a private one.
  void SetFolderMetadata(const Components& path, mode_t permissions, std::int64_t mtime);

  // The path as the user knows it: the target followed by the components.
  std::string Shown(const Components& path, std::size_t depth) const;

 private:
  using FolderId = std::pair<dev_t, ino_t>;

  // Of the folder open at fd, the first depth components of path. Throws ItemError.
  FolderId Identity(int fd, const Components& path, std::size_t depth) const;

  // The folder that will hold path's last component, created when missing and cleared of
  // abandoned temporary files.
  int OpenFolderForNewItem(const Components& path);

  std::string target_;
  Messages& messages_;
  UniqueFd root_;
  std::string cached_key_;  // the components of cached_, joined
  UniqueFd cached_;
  std::set<FolderId> created_;  // by this restore
  std::set<FolderId> swept_;    // of abandoned temporary files, or created empty
  std::mt19937_64 random_;
};

}  // namespace archiver
