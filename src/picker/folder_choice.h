#pragma once

#include <string>

// How the folder pickers turn what is selected into the folder they hand back.
namespace picker {

// A folder as the folder-tree picker publishes it: with one closing separator, the root "/"
// keeping its single one; "" (an item without a file-system path) stays "".
std::string WithClosingSeparator(const std::string& folder);

}  // namespace picker
