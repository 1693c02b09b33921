#include "explorer/hidden_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/windows/wide.h"

namespace testing_support {

void HideFile(const std::string& path) {
  const std::wstring wide = platform::windows::Widen(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN)) << path;
}

}  // namespace testing_support
