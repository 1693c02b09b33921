#include "explorer/hidden_file.h"

#include <gtest/gtest.h>

namespace testing_support {

void HideFile(const std::string& path) {
  EXPECT_EQ(path.compare(path.rfind('/') + 1, 1, "."), 0) << path << ": hidden by its name only";
}

}  // namespace testing_support
