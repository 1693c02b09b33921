#include "platform/text.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/code_page.h"

namespace {

using namespace platform::text;

TEST(Text, CountsCutsAndPadsCharactersNotBytesAndTrimsSpacesOnly) {
  EXPECT_EQ(CharCount("perché"), 6u);
  EXPECT_EQ(LeftChars("perché no", 6), "perché");
  EXPECT_EQ(MidChars("àèìòù", 1, 3), "èìò");
  EXPECT_EQ(MidChars("àèìòù", 3), "òù");
  EXPECT_EQ(MidChars("ab", 5, 2), "");
  EXPECT_EQ(PadOrCut("città", 7), "città  ");
  EXPECT_EQ(PadOrCut("€€€€", 2), "€€");
  EXPECT_EQ(Trim("  a b  "), "a b");  // spaces only
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
}

TEST(Text, ProfileTextInWindows1252BecomesUtf8UnlessItIsUtf8AndIsWrittenInAPageThatHoldsIt) {
  EXPECT_EQ(DecodeProfileText("caff\xE8 \x80 \x93x\x94"), "caffè € “x”");
  EXPECT_EQ(DecodeProfileText("caffè"), "caffè");
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));        // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));    // surrogate
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));  // emoji
  // Under "UTF-8 for every program" old accents read as U+FFFD; a double-byte page joined "à\".
  // system page, its longest character, the page 8-bit files are read in, the page written in
  for (const auto [system, longest, eight_bit, written] :
       std::vector<std::array<std::uint32_t, 4>>{{1252, 1, 1252, 1252}, {1250, 1, 1250, 1250}, {65001, 4, 1252, 65001},
                                                 {932, 2, 1252, 1252}, {936, 2, 1252, 1252}, {1253, 0, 1252, 1252}}) {
    const ProfileCodePages pages = ChooseProfileCodePages(system, longest);
    EXPECT_EQ(pages.eight_bit, eight_bit) << system;
    EXPECT_EQ(pages.written, written) << system;
  }
}

}  // namespace
