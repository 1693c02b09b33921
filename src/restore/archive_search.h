#pragma once

#include <string>
#include <vector>

#include "store/profile_state.h"

namespace restore {

// The restore list of the loaded profile: one item per archive in the data folder whose name
// matches pattern (see runner::SearchPattern), without regard to case where the system's own
// search ignores it (Windows), every one of them, sorted by name, numbered from
// 1, each with the description and path of the folder line its name carries. The lines are the
// loaded profile's own, so a profile is found under whatever name it has.
std::vector<std::string> CERCA_ARCHIVI(const store::ProfileState& state, const std::string& pattern);

}  // namespace restore
