#pragma once

#include <zip.h>

#include <string>

namespace archiver {

// libzip's error in Italian, with the system's reason when there is one.
std::string ZipErrorText(const zip_error_t& error);

}  // namespace archiver
