#pragma once

#include <string>
#include <vector>

namespace archiver {

// Where an entry goes below the target, as folder and file names. Throws ItemError, naming
// the entry and the reason, for a name that could land anywhere else: an absolute name, ".."
// anywhere (a "\" counts as a separator there, as Windows tools write it), a drive letter
// such as "C:", or a name with nothing left once "." and empty parts are dropped.
std::vector<std::string> SplitEntryName(const std::string& name);

}  // namespace archiver
