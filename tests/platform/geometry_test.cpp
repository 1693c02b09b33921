#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/geometry.h"

namespace {

// Windows lays out at the system's scale: 100 %, 125 %, 150 % and 200 %.
TEST(Geometry, FifteenTwipsAPixelAt96DpiScaledWithTheScreen) {
  struct Row {
    double dpi;
    int window, one_pixel, inch;  // 11880 twips, 15 twips, 1440 twips in pixels
  };
  const Row rows[] = {{96, 792, 1, 96}, {120, 990, 1, 120}, {144, 1188, 2, 144}, {192, 1584, 2, 192}};
  for (const Row& row : rows) {
    EXPECT_EQ(platform::TwipsToPixels(11880, row.dpi), row.window) << row.dpi;
    EXPECT_EQ(platform::TwipsToPixels(15, row.dpi), row.one_pixel) << row.dpi;
    EXPECT_EQ(platform::TwipsToPixels(1440, row.dpi), row.inch) << row.dpi;
    EXPECT_EQ(platform::PixelsToTwips(row.window, row.dpi), 11880) << row.dpi;
    // A window's size read back in twips is off by at most half a pixel.
    EXPECT_LE(std::abs(platform::PixelsToTwips(platform::TwipsToPixels(5955, row.dpi), row.dpi) - 5955),
              720 / row.dpi) << row.dpi;
  }
}

}  // namespace
