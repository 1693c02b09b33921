#pragma once

#include <random>
#include <string>

namespace archiver {

// A restore writes each file and link under a temporary name in its folder, ".archivia-" and
// eight letters or digits, and renames it into place when it is complete; a restore that was
// killed leaves that file behind.
std::string NewTemporaryName(std::mt19937_64& random);
bool IsTemporaryName(const std::string& name);

}  // namespace archiver
