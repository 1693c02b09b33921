#include "archiver/archive_check.h"

#include <libdeflate.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "archiver/archive_writer.h"
#include "archiver/entry_name.h"
#include "archiver/item_error.h"
#include "archiver/parallel.h"
#include "archiver/stored_entry.h"
#include "archiver/zip_archive.h"
#include "archiver/zip_error_text.h"

namespace archiver {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

// One per thread: libzip's archives may not be shared between threads.
struct Checker {
  explicit Checker(const std::string& path) : archive(OpenArchiveToRead(path, "rileggere")) {}

  ArchiveHandle archive;
  StoredEntryReader reader;
};

EntryData CheckStoredData(Checker& checker, zip_uint64_t index) {
  EntryData outcome;
  outcome.problem = checker.reader.Read(checker.archive.get(), index, [&](const std::uint8_t* data, std::size_t size) {
    outcome.crc = libdeflate_crc32(outcome.crc, data, size);
    outcome.size += size;
    return true;
  });
  outcome.stored_size = outcome.size;
  return outcome;
}

EntryData CheckLargeDeflated(Checker& checker, zip_uint64_t index) {
  EntryData outcome;
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) throw std::bad_alloc();  // raw deflate, as a ZIP entry holds it
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
  std::vector<std::uint8_t> out(kChunkBytes);
  bool finished = false;
  outcome.problem = checker.reader.Read(checker.archive.get(), index, [&](const std::uint8_t* data, std::size_t size) {
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    if (finished) return false;  // data after the end of the stream
    while (stream.avail_in > 0 && !finished) {
      stream.next_out = out.data();
      stream.avail_out = static_cast<uInt>(out.size());
      const int result = inflate(&stream, Z_NO_FLUSH);
      if (result != Z_OK && result != Z_STREAM_END) return false;
      finished = result == Z_STREAM_END;
      const std::size_t produced = out.size() - stream.avail_out;
      outcome.crc = libdeflate_crc32(outcome.crc, out.data(), produced);
      outcome.size += produced;
    }
    return true;
  });
  if (!outcome.problem && !finished) outcome.problem = "dati compressi troncati";
  outcome.stored_size = stream.total_in;
  return outcome;
}

std::optional<std::string> CheckEntry(Checker& checker, zip_uint64_t index) {
  zip_stat_t stat;
  if (zip_stat_index(checker.archive.get(), index, 0, &stat) != 0)
    return ZipErrorText(*zip_get_error(checker.archive.get()));
  EntryData outcome;
  if (stat.comp_method == ZIP_CM_STORE)
    outcome = CheckStoredData(checker, index);
  else if (stat.comp_method != ZIP_CM_DEFLATE)
    return std::nullopt;  // never written by this program; libzip checks those on restore
  else if (stat.size <= kInMemoryLimit)
    outcome = checker.reader.ReadWhole(checker.archive.get(), index, stat.size, true);
  else
    outcome = CheckLargeDeflated(checker, index);
  if (outcome.problem) return outcome.problem;
  if (outcome.size != stat.size) return "la dimensione dichiarata non corrisponde ai dati";
  if (outcome.stored_size != stat.comp_size) return "la dimensione compressa dichiarata non corrisponde ai dati";
  if (outcome.crc != stat.crc) return "CRC errato";
  return std::nullopt;
}

}  // namespace

std::vector<DamagedEntry> CheckArchive(const std::string& path, const std::unordered_set<std::string>& trusted) {
  const ArchiveHandle archive = OpenArchiveToRead(path, "rileggere");
  const auto count = static_cast<std::size_t>(std::max<zip_int64_t>(zip_get_num_entries(archive.get(), 0), 0));
  std::vector<zip_uint64_t> order;
  std::vector<zip_uint64_t> sizes(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (!trusted.empty()) {
      const std::optional<std::string> name = EntryName(archive.get(), i);
      if (name && trusted.contains(*name)) continue;
    }
    zip_stat_t stat;
    sizes[i] = zip_stat_index(archive.get(), i, 0, &stat) == 0 ? stat.comp_size : 0;
    order.push_back(i);
  }
  // Largest first, so that no thread is left alone with a large entry at the end.
  std::stable_sort(order.begin(), order.end(), [&](zip_uint64_t a, zip_uint64_t b) { return sizes[a] > sizes[b]; });
  if (order.empty()) return {};

  std::vector<std::optional<std::string>> problems(count);
  ParallelFor(
      order.size(), [&] { return Checker(path); },
      [&](Checker& checker, std::size_t i) { problems[order[i]] = CheckEntry(checker, order[i]); });

  std::vector<DamagedEntry> damaged;
  for (std::size_t i = 0; i < problems.size(); ++i) {
    if (!problems[i]) continue;
    const std::optional<std::string> name = EntryName(archive.get(), i);
    // Built in two steps: `"#" + std::to_string(i)` trips a false -Wrestrict in MinGW's GCC 12.
    std::string label = name ? *name : "#";
    if (!name) label += std::to_string(i);
    damaged.push_back({std::move(label), *problems[i]});
  }
  return damaged;
}

}  // namespace archiver
