#include "archiver/local_zone.h"

namespace archiver {

// Windows keeps the zone in the process: there is nothing to look up again.
void SettleLocalZone() {}

}  // namespace archiver
