#include "linux/x11/window_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(PlaceOwnWindowTest, WithoutAGeometryTheSceneSizeAtTheCorner) {
  for (const char* geometry : {"", "junk", "0x0"}) {
    const WindowPlacement placement = PlaceOwnWindow(geometry, 1920, 1080);
    EXPECT_EQ(placement.width, kDefaultWindowWidth) << geometry;
    EXPECT_EQ(placement.height, kDefaultWindowHeight) << geometry;
    EXPECT_EQ(placement.x, 0);
    EXPECT_EQ(placement.y, 0);
    EXPECT_FALSE(placement.positionGiven);
    EXPECT_FALSE(placement.sizeGiven);
  }
}

TEST(PlaceOwnWindowTest, SizeAndPositionAsGiven) {
  const WindowPlacement placement = PlaceOwnWindow("320x200+15+25", 1920, 1080);
  EXPECT_EQ(placement.width, 320);
  EXPECT_EQ(placement.height, 200);
  EXPECT_EQ(placement.x, 15);
  EXPECT_EQ(placement.y, 25);
  EXPECT_TRUE(placement.positionGiven);
  EXPECT_TRUE(placement.sizeGiven);

  const WindowPlacement sizeOnly = PlaceOwnWindow("640x480", 1920, 1080);
  EXPECT_EQ(sizeOnly.width, 640);
  EXPECT_FALSE(sizeOnly.positionGiven);
  const WindowPlacement placeOnly = PlaceOwnWindow("+7+9", 1920, 1080);
  EXPECT_EQ(placeOnly.width, kDefaultWindowWidth);
  EXPECT_EQ(placeOnly.x, 7);
  EXPECT_EQ(placeOnly.y, 9);
}

TEST(PlaceOwnWindowTest, NegativeOffsetsCountFromTheRightAndBottom) {
  const WindowPlacement placement = PlaceOwnWindow("300x100-10-20", 1024, 768);
  EXPECT_EQ(placement.x, 1024 - 300 - 10);
  EXPECT_EQ(placement.y, 768 - 100 - 20);
  // "-0" is the right edge itself.
  const WindowPlacement corner = PlaceOwnWindow("300x100-0-0", 1024, 768);
  EXPECT_EQ(corner.x, 724);
  EXPECT_EQ(corner.y, 668);
}

}  // namespace
