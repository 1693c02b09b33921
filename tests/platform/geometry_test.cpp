#include <gtest/gtest.h>

#include "platform/geometry.h"

namespace {

// At the system's scale: 100 %, 125 %, 150 % and 200 %.
TEST(Geometry, FifteenTwipsAPixelAt96DpiScaledWithTheScreen) {
  const struct {
    double dpi;
    int window, one_pixel;  // 11880 twips, 15 twips in pixels
  } rows[] = {{96, 792, 1}, {120, 990, 1}, {144, 1188, 2}, {192, 1584, 2}};
  for (const auto& row : rows) {
    EXPECT_EQ(platform::TwipsToPixels(11880, row.dpi), row.window) << row.dpi;
    EXPECT_EQ(platform::TwipsToPixels(15, row.dpi), row.one_pixel) << row.dpi;
    EXPECT_EQ(platform::PixelsToTwips(row.window, row.dpi), 11880) << row.dpi;
  }
}

}  // namespace
