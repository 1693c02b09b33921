#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct libdeflate_compressor;

namespace archiver {

// zlib's level 6, as Info-ZIP uses: level 9 costs twice the time for a fraction of a percent.
constexpr int kCompressionLevel = 6;

// A raw-deflate compressor (no zlib or gzip wrapper), as a ZIP entry holds it. One per thread.
class Deflater {
 public:
  Deflater();
  ~Deflater();
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Replaces out with the compressed form of the size bytes at in.
  void Compress(const std::uint8_t* in, std::size_t size, std::vector<std::uint8_t>& out);

 private:
  libdeflate_compressor* compressor_;
};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);

}  // namespace archiver
