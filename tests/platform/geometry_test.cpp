#include <gtest/gtest.h>

#include "platform/geometry.h"

namespace {

// At the system's scale: 100 %, 125 %, 150 % and 200 %.
TEST(Geometry, FifteenTwipsAPixelAt96DpiScaledWithTheScreen) {
  // dpi, then 11880 twips and 15 twips in pixels
  const std::tuple<double, int, int> rows[] = {{96, 792, 1}, {120, 990, 1}, {144, 1188, 2}, {192, 1584, 2}};
  for (const auto& [dpi, window, one_pixel] : rows) {
    EXPECT_EQ(platform::TwipsToPixels(11880, dpi), window) << dpi;
    EXPECT_EQ(platform::TwipsToPixels(15, dpi), one_pixel) << dpi;
    EXPECT_EQ(platform::PixelsToTwips(window, dpi), 11880) << dpi;
  }
}

}  // namespace
