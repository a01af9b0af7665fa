#include "linux/x11/window_geometry.h"

#include <gtest/gtest.h>

namespace {

// The placement of a geometry as -geometry reads it.
WindowPlacement Place(const char* geometry, int screenWidth, int screenHeight) {
  const std::optional<WindowGeometry> parsed = ParseWindowGeometry(geometry);
  EXPECT_TRUE(parsed) << geometry;
  return PlaceOwnWindow(parsed.value_or(WindowGeometry{}), screenWidth, screenHeight);
}

TEST(PlaceOwnWindowTest, WithoutAGeometryTheSceneSizeAtTheCorner) {
  const WindowPlacement placement = PlaceOwnWindow(WindowGeometry{}, 1920, 1080);
  EXPECT_EQ(placement.width, kDefaultWindowWidth);
  EXPECT_EQ(placement.height, kDefaultWindowHeight);
  EXPECT_EQ(placement.x, 0);
  EXPECT_EQ(placement.y, 0);
  EXPECT_FALSE(placement.positionGiven);
  EXPECT_FALSE(placement.sizeGiven);
}

TEST(PlaceOwnWindowTest, SizeAndPositionAsGiven) {
  const WindowPlacement placement = Place("320x200+15+25", 1920, 1080);
  EXPECT_EQ(placement.width, 320);
  EXPECT_EQ(placement.height, 200);
  EXPECT_EQ(placement.x, 15);
  EXPECT_EQ(placement.y, 25);
  EXPECT_TRUE(placement.positionGiven);
  EXPECT_TRUE(placement.sizeGiven);

  const WindowPlacement sizeOnly = Place("640x480", 1920, 1080);
  EXPECT_EQ(sizeOnly.width, 640);
  EXPECT_FALSE(sizeOnly.positionGiven);
  const WindowPlacement placeOnly = Place("+7+9", 1920, 1080);
  EXPECT_EQ(placeOnly.width, kDefaultWindowWidth);
  EXPECT_EQ(placeOnly.x, 7);
  EXPECT_EQ(placeOnly.y, 9);
}

TEST(PlaceOwnWindowTest, NegativeOffsetsCountFromTheRightAndBottom) {
  const WindowPlacement placement = Place("300x100-10-20", 1024, 768);
  EXPECT_EQ(placement.x, 1024 - 300 - 10);
  EXPECT_EQ(placement.y, 768 - 100 - 20);
  // "-0" is the right edge itself.
  const WindowPlacement corner = Place("300x100-0-0", 1024, 768);
  EXPECT_EQ(corner.x, 724);
  EXPECT_EQ(corner.y, 668);
}

// Two heads side by side as a two-monitor desk lists them: a 1024 x 768 primary and an
// 800 x 600 monitor on its right.
const std::vector<ScreenArea> kSideBySide = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};

TEST(HeadPlaceTest, XScreenSaversWindowAtEachHeadIsThatHeads) {
  EXPECT_EQ(HeadPlace(kSideBySide, {0, 0, 1024, 768}), 0);
  EXPECT_EQ(HeadPlace(kSideBySide, {1024, 0, 800, 600}), 1);
  // The place follows the order the heads are listed in, not where they are: here the monitor
  // on the right is listed first, and three heads are stacked with one below.
  const std::vector<ScreenArea> rightFirst = {{1024, 0, 800, 600}, {0, 0, 1024, 768}};
  EXPECT_EQ(HeadPlace(rightFirst, {0, 0, 1024, 768}), 1);
  EXPECT_EQ(HeadPlace(rightFirst, {1024, 0, 800, 600}), 0);
  const std::vector<ScreenArea> stacked = {
      {0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {0, 1080, 1920, 1080}};
  EXPECT_EQ(HeadPlace(stacked, {0, 1080, 1920, 1080}), 2);
  EXPECT_EQ(HeadPlace(stacked, {1920, 0, 1280, 1024}), 1);
}

TEST(HeadPlaceTest, AWindowOverSeveralHeadsIsTheHeadHoldingMostOfIt) {
  // Mostly on the right-hand monitor, then mostly on the primary.
  EXPECT_EQ(HeadPlace(kSideBySide, {900, 100, 400, 300}), 1);
  EXPECT_EQ(HeadPlace(kSideBySide, {800, 100, 400, 300}), 0);
  // Half on each of two: the first listed of them.
  const std::vector<ScreenArea> threeInARow = {
      {0, 0, 1024, 768}, {1024, 0, 800, 600}, {1824, 0, 800, 600}};
  EXPECT_EQ(HeadPlace(threeInARow, {1724, 0, 200, 200}), 1);
  // Partly off the screen, and partly in the corner below the smaller monitor that no head
  // shows: what the heads do show of it decides.
  EXPECT_EQ(HeadPlace(kSideBySide, {1700, 500, 400, 400}), 1);
  EXPECT_EQ(HeadPlace(kSideBySide, {1600, -200, 400, 300}), 1);
  // Two monitors showing the same picture: the first of them.
  const std::vector<ScreenArea> mirrored = {
      {0, 0, 1024, 768}, {1024, 0, 1024, 768}, {1024, 0, 1024, 768}};
  EXPECT_EQ(HeadPlace(mirrored, {1024, 0, 1024, 768}), 1);
}

TEST(HeadPlaceTest, TheFirstHeadWhenTheWindowIsOnNoneOrOnAll) {
  // The root window, and a window larger still, cover every head, even when the head listed
  // second is the largest.
  EXPECT_EQ(HeadPlace(kSideBySide, {0, 0, 1824, 768}), 0);
  const std::vector<ScreenArea> smallFirst = {{0, 0, 800, 600}, {800, 0, 1920, 1080}};
  EXPECT_EQ(HeadPlace(smallFirst, {0, 0, 2720, 1080}), 0);
  EXPECT_EQ(HeadPlace(smallFirst, {-10, -10, 3000, 2000}), 0);
  // Off every head, and a window of no size.
  EXPECT_EQ(HeadPlace(kSideBySide, {1100, 650, 300, 100}), 0);
  EXPECT_EQ(HeadPlace(kSideBySide, {5000, 5000, 640, 480}), 0);
  EXPECT_EQ(HeadPlace(kSideBySide, {1100, 100, 0, 0}), 0);
  // One head, or none listed: any window at all.
  EXPECT_EQ(HeadPlace({{0, 0, 1024, 768}}, {100, 100, 640, 480}), 0);
  EXPECT_EQ(HeadPlace({}, {1024, 0, 800, 600}), 0);
}

}  // namespace
