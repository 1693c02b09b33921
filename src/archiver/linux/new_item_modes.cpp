#include "archiver/new_item_modes.h"

#include <sys/stat.h>

namespace archiver {

namespace {

mode_t Umask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

UnixMode NewFileMode() { return 0666 & ~Umask(); }
UnixMode NewFolderMode() { return 0777 & ~Umask(); }

}  // namespace archiver
