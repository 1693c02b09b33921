#include "archiver/new_item_modes.h"

namespace archiver {

// Windows has no umask: a restored item is writable unless its entry says read-only.
UnixMode NewFileMode() { return 0666; }
UnixMode NewFolderMode() { return 0777; }

}  // namespace archiver
