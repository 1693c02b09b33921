#include <gtest/gtest.h>

#include "runner/progress_line.h"
#include "runner/progress_text.h"

namespace {

using runner::Progress;

TEST(ProgressLines, OnlyAWellFormedWholeLineGivesFiguresAndTheLatestWins) {
  EXPECT_EQ(runner::ParseProgressLine("avanzamento 1 2 3 4"), (Progress{1, 2, 3, 4}));
  EXPECT_EQ(runner::ParseProgressLine("avanzamento 1 2 3 4\r"), (Progress{1, 2, 3, 4}));
  EXPECT_EQ(runner::ParseProgressLine("avanzamento 0 0 0 0"), Progress{});
  EXPECT_EQ(runner::ParseProgressLine("avanzamento 18446744073709551615 18446744073709551615 0 1"),
            (Progress{~0ull, ~0ull, 0, 1}));
  for (const char* line : {"avanzamento 1 2 3", "avanzamento 1 2 3 4 5", "avanzamento 1 2 3 4 ", "avanzamento  1 2 3 4",
                           "avanzamento 1 2 -3 4", "avanzamento 1 2 +3 4", "avanzamento 1 2 3x 4",
                           "avanzamento 18446744073709551616 18446744073709551616 0 0", "avanzamento 3 2 0 0",
                           "avanzamento 0 0 5 4", "Avanzamento 1 2 3 4", " avanzamento 1 2 3 4",
                           "archivia: avanzamento 1 2 3 4", ""})
    EXPECT_EQ(runner::ParseProgressLine(line), std::nullopt) << line;
  // Pieces as a pipe hands them over; an over-long line must not hide the next good one.
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

constexpr std::uint64_t kKiB = 1024, kMiB = kKiB * 1024, kGiB = kMiB * 1024;

TEST(ProgressFigures, AreWrittenTheItalianWay) {
  const std::tuple<Progress, int, const char*> rows[] = {  // figures, seconds gone, text
      {{1234, 5678, 2254857831, 10522669875}, 1, "1.234 di 5.678 file, 2,1 di 9,8 GB"},
      // The part done never shows whole before it is; the whole shows as the total does.
      {{1, 2, kGiB - 1, kGiB}, 0, "1 di 2 file, 0,9 di 1,0 GB"},
      {{2, 2, 2005, 2005}, 0, "2 di 2 file, 2,0 di 2,0 KB"},
      {{0, 3, 0, 1023}, 0, "0 di 3 file, 0 di 1.023 byte"},
      {{0, 0, 0, 0}, 9, "0 di 0 file, 0 di 0 byte"},
      {{0, 1, 0, 2000 * kGiB}, 0, "0 di 1 file, 0,0 di 2.000,0 GB"},
      {{1, 4, 3 * kMiB / 2, 7 * kMiB}, 2, "1 di 4 file, 1,5 di 7,0 MB"},
      {{1, 4, 5 * kKiB, 10 * kKiB}, 3, "1 di 4 file, 5,0 di 10,0 KB, meno di un minuto"},
      {{1, 4, kGiB, 4 * kGiB}, 60, "1 di 4 file, 1,0 di 4,0 GB, circa 3 minuti"},
      {{1, 4, kGiB, 4 * kGiB}, 20, "1 di 4 file, 1,0 di 4,0 GB, circa 1 minuto"},
      {{1, 4, kGiB, 4 * kGiB}, 1200, "1 di 4 file, 1,0 di 4,0 GB, circa 1 ora"},
      {{1, 4, kGiB, 4 * kGiB}, 3600, "1 di 4 file, 1,0 di 4,0 GB, circa 3 ore"},
      // Files are the measure only where there are no bytes; nothing done foretells nothing.
      {{1, 3, 0, 0}, 100, "1 di 3 file, 0 di 0 byte, circa 3 minuti"},
      {{5, 9, 0, kGiB}, 600, "5 di 9 file, 0,0 di 1,0 GB"},
      {{9, 9, kGiB, kGiB}, 600, "9 di 9 file, 1,0 di 1,0 GB"}};
  for (const auto& [progress, elapsed_seconds, text] : rows)
    EXPECT_EQ(runner::ProgressFigures(progress, std::chrono::seconds(elapsed_seconds)), text) << text;
}

}  // namespace
