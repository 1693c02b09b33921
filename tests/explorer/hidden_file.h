#pragma once

#include <string>

namespace testing_support {

// Makes the file at path hidden the system's way: on Linux a name beginning with "." is
// hidden already (anything else fails the test); on Windows it gets the hidden attribute.
void HideFile(const std::string& path);

}  // namespace testing_support
