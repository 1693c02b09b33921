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

// Deflates one piece of a stream cut into pieces that are deflated apart, on several threads,
// and then joined: the piece is primed with the dictionary_size bytes before it (up to 32 KiB,
// so matches reach back across the cut as in one stream) and, unless it is the last, ends on a
// byte boundary without closing the stream. Uses zlib, as libdeflate can only close a stream.
// in holds the dictionary followed by the size bytes of the piece.
void DeflatePiece(const std::uint8_t* in, std::size_t dictionary_size, std::size_t size, bool last,
                  std::vector<std::uint8_t>& out);

constexpr std::size_t kDeflateWindow = 32 * 1024;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
// The CRC of two pieces together, from their CRCs and the second one's size.
std::uint32_t CombineCrc32(std::uint32_t first, std::uint32_t second, std::uint64_t second_size);

}  // namespace archiver
