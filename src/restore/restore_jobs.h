#pragma once

#include <string>
#include <vector>

#include "runner/run_sequence.h"
#include "store/profile_state.h"

namespace restore {

// The jobs that restore the backup run of Archivio_Scelto: for each folder line i of the loaded
// profile, the archive Path_Dati + the run's first six characters (day, month, profile) + the
// line code of i + ".ZIP", unpacked into Cartella_Arrivo as typed, or, when none was chosen,
// into the root of line i's folder, where the stored paths put every file back in its place.
// A line whose archive does not exist is refused.
std::vector<runner::Job> RestoreJobs(const store::ProfileState& state, const std::string& archiver);

}  // namespace restore
