#pragma once

#include <string>
#include <vector>

namespace archiver {

// The program's arguments after its name, in UTF-8 whatever the system hands over.
std::vector<std::string> CommandArguments(int argc, char** argv);

}  // namespace archiver
