#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace archiver {

// What a "\" in an entry's name is: an ordinary character in names made on Unix, where files
// may hold one, and a folder separator in names made on MS-DOS, OS/2 or Windows, whose tools
// write folders that way.
enum class Backslash { kCharacter, kSeparator };

// From the system in the entry's "version made by".
Backslash BackslashIn(std::uint8_t made_on);

// Where an entry goes below the target, as folder and file names. Throws ItemError, naming
// the entry and the reason, for a name that could land anywhere else: an absolute name, ".."
// as a component, a drive letter such as "C:", or a name with nothing left once "." and
// empty parts are dropped.
std::vector<std::string> SplitEntryName(const std::string& name, Backslash backslash);

}  // namespace archiver
