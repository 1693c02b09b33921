#include "archiver/file_handle.h"

#include "archiver/windows/win32.h"

namespace archiver {

void FileHandle::Reset() {
  if (valid()) ::CloseHandle(win32::Native(*this));
  native_ = kInvalid;
}

}  // namespace archiver
