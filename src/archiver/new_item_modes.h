#pragma once

#include "archiver/entry_metadata.h"

namespace archiver {

// The permissions a new file and a new folder get on this system (on Linux 0666 and 0777 less
// the umask): for entries that carry no Unix mode, and for a new archive.
UnixMode NewFileMode();
UnixMode NewFolderMode();

}  // namespace archiver
