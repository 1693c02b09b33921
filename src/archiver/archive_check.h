#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace archiver {

struct DamagedEntry {
  std::string name;     // as stored
  std::string problem;  // in Italian, e.g. "CRC errato"
};

// Reads every entry of the ZIP file at path back but those named in trusted, on all cores, and
// compares the data with the CRC and the sizes (uncompressed and as stored) its central directory
// declares. Returns the entries that do not match, in archive order. Throws ItemError when the
// archive cannot be opened at all.
[[nodiscard]] std::vector<DamagedEntry> CheckArchive(const std::string& path,
                                                     const std::unordered_set<std::string>& trusted = {});

}  // namespace archiver
