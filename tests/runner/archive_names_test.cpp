#include "runner/archive_names.h"

#include <gtest/gtest.h>

namespace {

using runner::ArchiveName;
using runner::DecodeArchiveName;
using runner::LineCode;
using runner::ProfileCode;
using runner::SearchPattern;

// Archives already on disk carry these names: day, month, profile code, line code.
TEST(ArchiveNames, NamesCarryDayMonthProfileAndLineDecodeBackAndHaveTheirOwnPattern) {
  EXPECT_EQ(ProfileCode("Copia_07"), "_7");          // no extension: the whole name
  EXPECT_EQ(ProfileCode("Copia_12.Dat.bak"), "12");  // up to the first "."
  EXPECT_EQ(ArchiveName(14, 6, ProfileCode("Copia_01.Dat"), LineCode(1)), "1406_1_1.ZIP");
  EXPECT_EQ(ArchiveName(3, 1, ProfileCode("Copia_12.Dat"), LineCode(11)), "03011211.ZIP");
  EXPECT_EQ(ArchiveName(5, 3, ProfileCode("Copia_10.Dat"), LineCode(9)), "050310_9.ZIP");
  EXPECT_EQ(ArchiveName(31, 12, ProfileCode("Copia_99.Dat"), LineCode(100)), "31129900.ZIP");
  for (int profile = 1; profile <= 99; ++profile) {
    const std::string code = ProfileCode("Copia_" + std::string(profile < 10 ? "0" : "") +
                                         std::to_string(profile) + ".Dat");
    for (int line = 1; line <= 100; ++line) {
      const auto numbers = DecodeArchiveName(ArchiveName(28, 2, code, LineCode(line)));
      ASSERT_EQ(numbers.profile, profile) << code;
      ASSERT_EQ(numbers.line, line) << code;
    }
  }
  EXPECT_EQ(DecodeArchiveName("abcd_1xy.ZIP").line, 0);
  EXPECT_EQ(SearchPattern("_1"), "????_1??.ZIP");  // lines 1 to 100 of profile 1, never of 11
  EXPECT_EQ(SearchPattern("11"), "????11??.ZIP");
}

}  // namespace
