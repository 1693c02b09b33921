#include "archiver/deflater.h"

#include <libdeflate.h>

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

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) { return libdeflate_crc32(0, data, size); }

}  // namespace archiver
