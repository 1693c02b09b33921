#include "archiver/command_arguments.h"

namespace archiver {

std::vector<std::string> CommandArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

}  // namespace archiver
