#pragma once

#include <zip.h>

#include <cstdint>
#include <string>

namespace archiver {

// libzip's error in Italian, with the system's reason when there is one.
std::string ZipErrorText(const zip_error_t& error);

// "metodo di compressione non supportato: LZMA (14)", with the method's common name.
std::string UnsupportedMethodText(std::int32_t method);

}  // namespace archiver
