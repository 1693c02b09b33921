#include <gtest/gtest.h>

#include "platform/geometry.h"

namespace {

TEST(Geometry, FifteenTwipsAPixelAt96DpiScaledWithTheScreen) {
  EXPECT_EQ(platform::TwipsToPixels(11880, 96), 792);
  EXPECT_EQ(platform::TwipsToPixels(15, 96), 1);
  EXPECT_EQ(platform::TwipsToPixels(1440, 144), 144);
  EXPECT_EQ(platform::PixelsToTwips(792, 96), 11880);
}

}  // namespace
