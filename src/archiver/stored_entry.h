#pragma once

#include <libdeflate.h>
#include <zip.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archiver/zip_archive.h"
#include "archiver/zip_error_text.h"

namespace archiver {

// What reading an entry's data found.
struct EntryData {
  std::optional<std::string> problem;  // in Italian; nothing else is set then
  std::uint32_t crc = 0;
  std::uint64_t size = 0;         // inflated; one more than declared when the data is longer
  std::uint64_t stored_size = 0;  // the bytes the data took in the archive
};

// Reads entries as they are stored, and inflates deflated ones that fit in memory in one go
// with libdeflate, several times faster than zlib. One per thread.
class StoredEntryReader {
 public:
  StoredEntryReader();

  // Hands the entry's bytes, as stored (still deflated), to consume chunk by chunk; consume
  // returns false to refuse them. Returns the problem, if any.
  template <typename Consume>
  std::optional<std::string> Read(zip_t* archive, zip_uint64_t index, Consume consume) {
    zip_file_t* opened = zip_fopen_index(archive, index, ZIP_FL_COMPRESSED);
    if (opened == nullptr) return ZipErrorText(*zip_get_error(archive));
    const EntryHandle file(opened, zip_fclose);
    for (;;) {
      const zip_int64_t read = zip_fread(file.get(), chunk_.data(), chunk_.size());
      if (read < 0) return ZipErrorText(*zip_file_get_error(file.get()));
      if (read == 0) return std::nullopt;
      if (!consume(chunk_.data(), static_cast<std::size_t>(read))) return "dati compressi non validi";
    }
  }

  // Reads an entry of declared_size bytes whole, inflating it if it is deflated (else it is
  // stored as it is); its data stays in data() until the next call.
  EntryData ReadWhole(zip_t* archive, zip_uint64_t index, std::uint64_t declared_size, bool deflated);
  const std::uint8_t* data() const { return unpacked_.data(); }

 private:
  std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> decompressor_;
  std::vector<std::uint8_t> chunk_;
  std::vector<std::uint8_t> packed_;
  std::vector<std::uint8_t> unpacked_;
};

}  // namespace archiver
