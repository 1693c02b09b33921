#include "archiver/local_zone.h"

#include <cstdlib>

namespace archiver {

// With TZ unset the C library checks /etc/localtime on every conversion, in case it changed;
// naming that same file has it read once, with the same zone.
void SettleLocalZone() { setenv("TZ", ":/etc/localtime", 0); }

}  // namespace archiver
