#include "archiver/item_error.h"

#include "platform/errno_text.h"

namespace archiver {

void ThrowSystemError(const std::string& what, int error_number) {
  throw ItemError(what + ": " + platform::ErrnoText(error_number));
}

}  // namespace archiver
