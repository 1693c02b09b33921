#include <gtest/gtest.h>

#include "runner/progress_line.h"
#include "runner/progress_text.h"

namespace {

using runner::Progress;

struct LineCase {
  std::string line;
  std::optional<Progress> figures;
};

class ProgressLine : public testing::TestWithParam<LineCase> {};

TEST_P(ProgressLine, OnlyAWellFormedLineGivesFigures) {
  EXPECT_EQ(runner::ParseProgressLine(GetParam().line), GetParam().figures) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressLine,
    testing::Values(LineCase{"avanzamento 1 2 3 4", Progress{1, 2, 3, 4}},
                    LineCase{"avanzamento 1 2 3 4\r", Progress{1, 2, 3, 4}},
                    LineCase{"avanzamento 0 0 0 0", Progress{}},
                    LineCase{"avanzamento 18446744073709551615 18446744073709551615 0 1",
                             Progress{~0ull, ~0ull, 0, 1}},
                    LineCase{"avanzamento 1 2 3", std::nullopt}, LineCase{"avanzamento 1 2 3 4 5", std::nullopt},
                    LineCase{"avanzamento 1 2 3 4 ", std::nullopt}, LineCase{"avanzamento  1 2 3 4", std::nullopt},
                    LineCase{"avanzamento 1 2 -3 4", std::nullopt}, LineCase{"avanzamento 1 2 +3 4", std::nullopt},
                    LineCase{"avanzamento 1 2 3x 4", std::nullopt},
                    LineCase{"avanzamento 18446744073709551616 18446744073709551616 0 0", std::nullopt},
                    LineCase{"avanzamento 3 2 0 0", std::nullopt}, LineCase{"avanzamento 0 0 5 4", std::nullopt},
                    LineCase{"Avanzamento 1 2 3 4", std::nullopt}, LineCase{" avanzamento 1 2 3 4", std::nullopt},
                    LineCase{"archivia: avanzamento 1 2 3 4", std::nullopt}, LineCase{"", std::nullopt}));

// Pieces as a pipe hands them over; an over-long line must not hide the next good one.
TEST(ProgressLines, FiguresComeFromWholeLinesOnlyTheLatestWins) {
  runner::ProgressLines lines;
  EXPECT_EQ(lines.Add("avanzamento 1 2"), std::nullopt);
  EXPECT_EQ(lines.Add(" 3 4"), std::nullopt);
  EXPECT_EQ(lines.Add("\nrumore\navanzamento 2 2 3 4\navanzamento 2 2"), (Progress{2, 2, 3, 4}));
  EXPECT_EQ(lines.Add(" 3 " + std::string(300, '0')), std::nullopt);
  EXPECT_EQ(lines.Add("4\navanzamento 2 2 4 4 "), std::nullopt);  // longer than any progress line
  EXPECT_EQ(lines.Add(std::string(200, ' ')), std::nullopt);
  EXPECT_EQ(lines.Add("avanzamento 2 2 4 4\n"), std::nullopt);  // the end of a line too long to be one
  EXPECT_EQ(lines.Add("avanzamento 1 1 1 " + std::string(200, '0') + "1\n"), std::nullopt);
  EXPECT_EQ(lines.Add("avanzamento 2 2 4 4\navanzamento 9 2 4 4\n"), (Progress{2, 2, 4, 4}));
  EXPECT_EQ(lines.Add(""), std::nullopt);
}

struct FiguresCase {
  Progress progress;
  int elapsed_seconds;
  std::string text;
};

class ProgressFigures : public testing::TestWithParam<FiguresCase> {};

TEST_P(ProgressFigures, AreWrittenTheItalianWay) {
  const FiguresCase& c = GetParam();
  EXPECT_EQ(runner::ProgressFigures(c.progress, std::chrono::seconds(c.elapsed_seconds)), c.text);
}

constexpr std::uint64_t kKiB = 1024, kMiB = kKiB * 1024, kGiB = kMiB * 1024;

INSTANTIATE_TEST_SUITE_P(
    Figures, ProgressFigures,
    testing::Values(
        FiguresCase{{1234, 5678, 2254857831, 10522669875}, 1, "1.234 di 5.678 file, 2,1 di 9,8 GB"},
        // The part done never shows whole before it is; the whole shows as the total does.
        FiguresCase{{1, 2, kGiB - 1, kGiB}, 0, "1 di 2 file, 0,9 di 1,0 GB"},
        FiguresCase{{2, 2, 2005, 2005}, 0, "2 di 2 file, 2,0 di 2,0 KB"},
        FiguresCase{{0, 3, 0, 1023}, 0, "0 di 3 file, 0 di 1.023 byte"},
        FiguresCase{{0, 0, 0, 0}, 9, "0 di 0 file, 0 di 0 byte"},
        FiguresCase{{0, 1, 0, 2000 * kGiB}, 0, "0 di 1 file, 0,0 di 2.000,0 GB"},
        FiguresCase{{1, 4, 3 * kMiB / 2, 7 * kMiB}, 2, "1 di 4 file, 1,5 di 7,0 MB"},
        FiguresCase{{1, 4, 5 * kKiB, 10 * kKiB}, 3, "1 di 4 file, 5,0 di 10,0 KB, meno di un minuto"},
        FiguresCase{{1, 4, kGiB, 4 * kGiB}, 60, "1 di 4 file, 1,0 di 4,0 GB, circa 3 minuti"},
        FiguresCase{{1, 4, kGiB, 4 * kGiB}, 20, "1 di 4 file, 1,0 di 4,0 GB, circa 1 minuto"},
        FiguresCase{{1, 4, kGiB, 4 * kGiB}, 1200, "1 di 4 file, 1,0 di 4,0 GB, circa 1 ora"},
        FiguresCase{{1, 4, kGiB, 4 * kGiB}, 3600, "1 di 4 file, 1,0 di 4,0 GB, circa 3 ore"},
        // Files are the measure only where there are no bytes; nothing done foretells nothing.
        FiguresCase{{1, 3, 0, 0}, 100, "1 di 3 file, 0 di 0 byte, circa 3 minuti"},
        FiguresCase{{5, 9, 0, kGiB}, 600, "5 di 9 file, 0,0 di 1,0 GB"},
        FiguresCase{{9, 9, kGiB, kGiB}, 600, "9 di 9 file, 1,0 di 1,0 GB"}));

}  // namespace
