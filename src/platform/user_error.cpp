#include "platform/user_error.h"

#include <cstring>

namespace platform {

std::string ErrnoText(int error_number) {
  char buffer[256];
  // GNU strerror_r returns the text, which may or may not live in buffer.
  return ::strerror_r(error_number, buffer, sizeof buffer);
}

}  // namespace platform
