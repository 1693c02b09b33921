#include "archiver/stored_entry.h"

#include <algorithm>
#include <new>

namespace archiver {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

}  // namespace

StoredEntryReader::StoredEntryReader()
    : decompressor_(libdeflate_alloc_decompressor(), libdeflate_free_decompressor), chunk_(kChunkBytes) {
  if (!decompressor_) throw std::bad_alloc();
}

EntryData StoredEntryReader::ReadWhole(zip_t* archive, zip_uint64_t index, std::uint64_t declared_size,
                                       bool deflated) {
  EntryData outcome;
  // One byte more than declared tells data longer than its header says.
  const std::size_t room = static_cast<std::size_t>(declared_size) + 1;
  std::vector<std::uint8_t>& read = deflated ? packed_ : unpacked_;
  read.clear();
  outcome.problem = Read(archive, index, [&](const std::uint8_t* data, std::size_t size) {
    // Stored data longer than declared is cut at room: what follows cannot make it right again.
    read.insert(read.end(), data, data + (deflated ? size : std::min(size, room - read.size())));
    return true;
  });
  if (outcome.problem) return outcome;
  if (!deflated) {
    outcome.size = outcome.stored_size = read.size();
    outcome.crc = libdeflate_crc32(0, read.data(), read.size());
    return outcome;
  }
  unpacked_.resize(room);
  std::size_t consumed = 0, produced = 0;
  const libdeflate_result result = libdeflate_deflate_decompress_ex(
      decompressor_.get(), packed_.data(), packed_.size(), unpacked_.data(), unpacked_.size(), &consumed, &produced);
  outcome.stored_size = consumed;
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) {
    outcome.size = room;
    return outcome;
  }
  if (result != LIBDEFLATE_SUCCESS) {
    outcome.problem = "dati compressi non validi";
    return outcome;
  }
  outcome.size = produced;
  outcome.crc = libdeflate_crc32(0, unpacked_.data(), produced);
  return outcome;
}

}  // namespace archiver
