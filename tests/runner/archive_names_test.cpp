#include "runner/archive_names.h"

#include <gtest/gtest.h>

#include "platform/files.h"

namespace {

using runner::ArchiveName;
using runner::DecodeArchiveName;
using runner::LineCode;
using runner::ProfileCode;
using runner::SearchPattern;

TEST(ArchiveNames, ProfileCodesUseAnUnderscoreBelowTen) {
  EXPECT_EQ(ProfileCode("Copia_01.Dat"), "_1");
  EXPECT_EQ(ProfileCode("Copia_09.Dat"), "_9");
  EXPECT_EQ(ProfileCode("Copia_10.Dat"), "10");
  EXPECT_EQ(ProfileCode("Copia_12.Dat"), "12");
  EXPECT_EQ(ProfileCode("Copia_99.Dat"), "99");
  EXPECT_EQ(ProfileCode("Copia_07"), "_7");           // no extension: the whole name
  EXPECT_EQ(ProfileCode("Copia_12.Dat.bak"), "12");   // up to the first "."
}

TEST(ArchiveNames, LineCodesRunFromUnderscoreOneToZeroZero) {
  EXPECT_EQ(LineCode(1), "_1");
  EXPECT_EQ(LineCode(9), "_9");
  EXPECT_EQ(LineCode(10), "10");
  EXPECT_EQ(LineCode(11), "11");
  EXPECT_EQ(LineCode(99), "99");
  EXPECT_EQ(LineCode(100), "00");
}

TEST(ArchiveNames, NamesCarryDayMonthProfileAndLine) {
  EXPECT_EQ(ArchiveName(14, 6, ProfileCode("Copia_01.Dat"), LineCode(1)), "1406_1_1.ZIP");
  EXPECT_EQ(ArchiveName(3, 1, ProfileCode("Copia_12.Dat"), LineCode(11)), "03011211.ZIP");
  EXPECT_EQ(ArchiveName(5, 3, "10", LineCode(2)), "050310_2.ZIP");
  EXPECT_EQ(ArchiveName(31, 12, "_3", LineCode(100)), "3112_300.ZIP");
}

TEST(ArchiveNames, EveryNameDecodesBackToItsProfileAndLine) {
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
}

TEST(ArchiveNames, TheSearchPatternOfAProfileFindsOnlyItsOwnArchives) {
  using platform::files::MatchesWildcard;
  const std::string one = SearchPattern("_1");
  EXPECT_EQ(one, "????_1??.ZIP");
  EXPECT_TRUE(MatchesWildcard("1406_1_1.ZIP", one, false));
  EXPECT_TRUE(MatchesWildcard("1506_1_2.ZIP", one, false));
  EXPECT_TRUE(MatchesWildcard("0101_111.ZIP", one, false));   // profile 1, line 11
  EXPECT_TRUE(MatchesWildcard("0101_100.ZIP", one, false));   // profile 1, line 100
  EXPECT_FALSE(MatchesWildcard("140611_1.ZIP", one, false));  // profile 11
  EXPECT_FALSE(MatchesWildcard("140610_2.ZIP", one, false));  // profile 10
  EXPECT_FALSE(MatchesWildcard("1406_1_1.ZIP.tmp", one, false));
  EXPECT_FALSE(MatchesWildcard("Copia_01.Dat", one, false));
  EXPECT_TRUE(MatchesWildcard("140611_1.ZIP", SearchPattern("11"), false));
  EXPECT_FALSE(MatchesWildcard("1406_1_1.ZIP", SearchPattern("11"), false));
}

}  // namespace
