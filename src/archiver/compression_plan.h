#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archiver/source_tree.h"

namespace archiver {

enum class Method { kStore, kDeflate };

// An entry's data as it goes into the archive.
struct PackedData {
  std::vector<std::uint8_t> bytes;  // raw deflate, or the file's own bytes when stored
  std::uint32_t crc = 0;            // of the file's own bytes
  std::uint64_t size = 0;           // of the file's own bytes
};

struct FilePlan {
  Method method = Method::kStore;
  std::optional<PackedData> packed;  // the whole entry, when the probe read the whole file
  std::string error;                 // why the file could not be read; empty when it could
  bool changed = false;              // it was no longer as listed: worth listing and probing again
  bool kept = false;                 // its entry in the archive is kept as it is: not read at all
};

constexpr std::size_t kProbeBytes = 64 * 1024;

// Probes every file among items on all cores: deflates its first 64 KiB and keeps deflate only
// when that saves at least 3%, so photos, videos and archives are stored instead of being
// compressed again for nothing. A file the probe read whole keeps its packed bytes while their
// total stays within keep_budget; one written to while it was probed keeps nothing. Items that
// are not files get an empty plan, and so do files whose entry is kept (unchanged[i]), marked kept.
[[nodiscard]] std::vector<FilePlan> PlanCompression(const std::vector<SourceItem>& items, std::size_t keep_budget,
                                                    const std::vector<bool>& unchanged = {});

}  // namespace archiver
