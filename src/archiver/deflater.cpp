#include "archiver/deflater.h"

#include <libdeflate.h>
#include <zlib.h>

#include <memory>
#include <new>

namespace archiver {

Deflater::Deflater() : compressor_(libdeflate_alloc_compressor(kCompressionLevel)) {
  if (compressor_ == nullptr) throw std::bad_alloc();
}

Deflater::~Deflater() { libdeflate_free_compressor(compressor_); }

void Deflater::Compress(const std::uint8_t* in, std::size_t size, std::vector<std::uint8_t>& out) {
  out.resize(libdeflate_deflate_compress_bound(compressor_, size));
  // The bound always suffices, so a zero result cannot happen here.
  out.resize(libdeflate_deflate_compress(compressor_, in, size, out.data(), out.size()));
}

void DeflatePiece(const std::uint8_t* in, std::size_t dictionary_size, std::size_t size, bool last,
                  std::vector<std::uint8_t>& out) {
  z_stream stream{};
  // Negative window bits: raw deflate, as a ZIP entry holds it.
  if (deflateInit2(&stream, kCompressionLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::bad_alloc();
  const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, deflateEnd);
  if (dictionary_size > 0) deflateSetDictionary(&stream, in, static_cast<uInt>(dictionary_size));
  stream.next_in = const_cast<Bytef*>(in + dictionary_size);
  stream.avail_in = static_cast<uInt>(size);
  out.resize(deflateBound(&stream, size) + 64);
  std::size_t used = 0;
  for (;;) {
    stream.next_out = out.data() + used;
    stream.avail_out = static_cast<uInt>(out.size() - used);
    const int result = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    used = out.size() - stream.avail_out;
    if (result == Z_STREAM_END || (!last && stream.avail_in == 0 && stream.avail_out > 0)) break;
    if (result != Z_OK && result != Z_BUF_ERROR) throw std::bad_alloc();  // only a lack of memory is possible
    out.resize(out.size() * 2);
  }
  out.resize(used);
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) { return libdeflate_crc32(0, data, size); }

std::uint32_t CombineCrc32(std::uint32_t first, std::uint32_t second, std::uint64_t second_size) {
  return static_cast<std::uint32_t>(crc32_combine(first, second, static_cast<z_off_t>(second_size)));
}

}  // namespace archiver
