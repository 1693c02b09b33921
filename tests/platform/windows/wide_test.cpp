#include "platform/windows/wide.h"

#include <gtest/gtest.h>

namespace {

using platform::windows::Narrow;
using platform::windows::Widen;

TEST(WindowsWide, Utf8AndUtf16CarryEveryCharacterBothWays) {
  const std::string text = "àèìòù € “x” Ж 漢 😀 \x01";
  EXPECT_EQ(Narrow(Widen(text)), text);
  EXPECT_EQ(Widen("😀"), std::wstring(L"\xD83D\xDE00"));  // one character, two UTF-16 units
  EXPECT_EQ(Widen("caff\xE8"), std::wstring(L"caff\xFFFD"));  // not UTF-8: marked, never dropped
  EXPECT_EQ(Widen(""), std::wstring());
  EXPECT_EQ(Narrow(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace
