#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archiver/entry_metadata.h"
#include "archiver/messages.h"

namespace archiver {

struct SourceItem {
  std::string path;  // where it is on disk
  std::string name;  // its entry name: the path without the leading "/"; folders end in "/"
  EntryKind kind = EntryKind::kFile;
  UnixMode permissions = 0;
  std::int64_t mtime = 0;
  std::uint64_t size = 0;
  std::string link_target;  // links only
  bool hidden = false;      // the Windows attribute; Linux has none
};

// Which file an item is, whatever its name: its file system and its number there.
struct FileIdentity {
  std::uint64_t volume;
  std::uint64_t file;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at path, following links; none when it does not exist.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Lists folder (an absolute path) and everything below it: each folder before its contents,
// names in byte order. Symbolic links are listed as links and never followed, so no walk can
// loop; devices, FIFOs and sockets (on Windows, junctions, links and the other reparse points
// that stand for another place) are left out with a notice. A subfolder that cannot be
// read is a failure, but its own entry is still listed. The files with the identities in skip
// (the archive being written and its lock) are left out. Throws ItemError when folder itself
// cannot be listed.
std::vector<SourceItem> ListTree(const std::string& folder, const std::vector<FileIdentity>& skip, Messages& messages);

// The item at path (absolute) as it is now, without following a final link. Throws ItemError
// when it cannot be read.
SourceItem ListItem(const std::string& path);

}  // namespace archiver
