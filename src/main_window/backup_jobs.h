#pragma once

#include <string>
#include <vector>

#include "runner/run_sequence.h"
#include "store/profile_state.h"

namespace main_window {

// One job per folder line 1..Num_Righe of the loaded profile, each packing the line's folder
// into Path_Dati + DDMMPPFF.ZIP for the given day and month. Every line is run, a blank
// description included, except a line whose folder fails CheckFolderToSave (an empty one would
// pack the whole disk), which is refused with its reason.
std::vector<runner::Job> BackupJobs(const store::ProfileState& state, int day, int month,
                                    const std::string& archiver);

}  // namespace main_window
