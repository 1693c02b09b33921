#include "archiver/compression_plan.h"

#include <atomic>

#include "archiver/deflater.h"
#include "archiver/item_error.h"
#include "archiver/parallel.h"
#include "archiver/source_file.h"

namespace archiver {

namespace {

struct ProbeState {
  Deflater deflater;
  std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kProbeBytes + 1);
  std::vector<std::uint8_t> compressed;
};

// Deflate must save at least 3% to be worth its time.
bool WorthDeflating(std::size_t size, std::size_t compressed_size) {
  return size > 0 && compressed_size * 100 <= size * 97;
}

FilePlan Probe(const SourceItem& item, ProbeState& state, std::atomic<std::size_t>& kept, std::size_t keep_budget) {
  FilePlan plan;
  const SourceFile file(item);
  // One byte past the probe tells whether the probe saw the whole file.
  const std::size_t read = file.ReadAt(state.buffer.data(), state.buffer.size(), 0);
  const std::size_t probed = std::min(read, kProbeBytes);
  state.deflater.Compress(state.buffer.data(), probed, state.compressed);
  plan.method = WorthDeflating(probed, state.compressed.size()) ? Method::kDeflate : Method::kStore;
  if (read > kProbeBytes) return plan;
  // A file written to while the probe read it keeps nothing; it is listed and probed again.
  try {
    file.CheckUnchanged();
  } catch (const FileChanged&) {
    plan.changed = true;
    return plan;
  }

  PackedData packed;
  packed.size = read;
  packed.crc = Crc32(state.buffer.data(), read);
  if (plan.method == Method::kDeflate)
    packed.bytes = state.compressed;
  else
    packed.bytes.assign(state.buffer.begin(), state.buffer.begin() + static_cast<std::ptrdiff_t>(read));
  if (kept.fetch_add(packed.bytes.size()) + packed.bytes.size() <= keep_budget)
    plan.packed = std::move(packed);
  else
    kept.fetch_sub(packed.bytes.size());
  return plan;
}

}  // namespace

std::vector<FilePlan> PlanCompression(const std::vector<SourceItem>& items, std::size_t keep_budget,
                                      const std::vector<bool>& unchanged) {
  std::vector<FilePlan> plans(items.size());
  for (std::size_t i = 0; i < unchanged.size(); ++i) plans[i].kept = unchanged[i];
  std::atomic<std::size_t> kept{0};
  ParallelFor(
      items.size(), [] { return ProbeState(); },
      [&](ProbeState& state, std::size_t i) {
        if (items[i].kind != EntryKind::kFile || plans[i].kept) return;
        try {
          plans[i] = Probe(items[i], state, kept, keep_budget);
        } catch (const FileChanged& error) {
          plans[i].error = error.what();
          plans[i].changed = true;
        } catch (const ItemError& error) {
          plans[i].error = error.what();
        }
      });
  return plans;
}

}  // namespace archiver
