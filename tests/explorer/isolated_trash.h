#pragma once

#include <string>

namespace testing_support {

// The desktop data folder ($XDG_DATA_HOME) that the explorer tests run with: a temporary one,
// set before anything reads it, so no test ever touches the user's own trash.
const std::string& IsolatedDataFolder();

// Its trash folder, where moving to the trash puts things.
std::string IsolatedTrashFolder();

}  // namespace testing_support
