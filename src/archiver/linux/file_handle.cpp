#include "archiver/file_handle.h"

#include <unistd.h>

namespace archiver {

void FileHandle::Reset() {
  if (valid()) ::close(static_cast<int>(native_));
  native_ = kInvalid;
}

}  // namespace archiver
