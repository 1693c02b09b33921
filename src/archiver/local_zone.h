#pragma once

namespace archiver {

// libzip turns MS-DOS times into local time and back several times per entry. Called once at the
// start, before any thread, so that each of those calls finds the zone already known.
void SettleLocalZone();

}  // namespace archiver
