#include "archiver/item_error.h"

#include "platform/errno_text.h"

namespace archiver {

std::string SystemErrorText(const std::string& what, int error_number) {
  return what + ": " + platform::ErrnoText(error_number);
}

void ThrowSystemError(const std::string& what, int error_number) { throw ItemError(SystemErrorText(what, error_number)); }

}  // namespace archiver
