#pragma once

#include <optional>
#include <string>

namespace main_window {

// Why name cannot be confirmed as a profile in data_folder, or nullopt when it can. Beyond a
// plain file name, the rest of the program needs: no space (the list splits its items at the
// first one), the ".Dat" ending (the list finds profiles by it) and a profile code that no
// other profile file in the folder has (the code is all that tells their archives apart).
std::optional<std::string> NewProfileNameProblem(const std::string& data_folder,
                                                 const std::string& name);

}  // namespace main_window
