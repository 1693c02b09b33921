#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "archiver/unique_fd.h"

namespace archiver {

using Components = std::vector<std::string>;

// The restore target, entered only downwards: every folder is opened from its parent without
// following a symbolic link, so nothing is written outside the target whatever the archive
// says or the target already holds. Files and links are written under a temporary name in
// their folder and renamed over the old one only when complete.
class TargetTree {
 public:
  // Opens target, creating it when missing; throws ItemError when it can do neither.
  explicit TargetTree(const std::string& target);

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

  void SetFolderMetadata(const Components& path, mode_t permissions, std::int64_t mtime);

  // The path as the user knows it: the target followed by the components.
  std::string Shown(const Components& path, std::size_t depth) const;

 private:
  std::string TemporaryName();

  std::string target_;
  UniqueFd root_;
  std::string cached_key_;  // the components of cached_, joined
  UniqueFd cached_;
  std::mt19937_64 random_;
};

}  // namespace archiver
