#include "archiver/stored_entry.h"

#include <new>

namespace archiver {

namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

}  // namespace

StoredEntryReader::StoredEntryReader()
    : decompressor_(libdeflate_alloc_decompressor(), libdeflate_free_decompressor), chunk_(kChunkBytes) {
  if (!decompressor_) throw std::bad_alloc();
}

EntryData StoredEntryReader::Inflate(zip_t* archive, zip_uint64_t index, std::uint64_t declared_size) {
  EntryData outcome;
  packed_.clear();
  outcome.problem = Read(archive, index, [&](const std::uint8_t* data, std::size_t size) {
    packed_.insert(packed_.end(), data, data + size);
    return true;
  });
  if (outcome.problem) return outcome;
  // One byte more than declared tells data longer than its header says.
  unpacked_.resize(static_cast<std::size_t>(declared_size) + 1);
  std::size_t consumed = 0, produced = 0;
  const libdeflate_result result = libdeflate_deflate_decompress_ex(
      decompressor_.get(), packed_.data(), packed_.size(), unpacked_.data(), unpacked_.size(), &consumed, &produced);
  outcome.stored_size = consumed;
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) {
    outcome.size = declared_size + 1;
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
