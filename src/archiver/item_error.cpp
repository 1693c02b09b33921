#include "archiver/item_error.h"

#include "archiver/errno_text.h"

namespace archiver {

void ThrowSystemError(const std::string& what, int error_number) {
  throw ItemError(what + ": " + ErrnoText(error_number));
}

}  // namespace archiver
