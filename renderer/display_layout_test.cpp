#include "renderer/display_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr DisplayMode kDesign{1024, 768, 32};

TEST(DisplayMode, ChangesOnlyToTheDesignModeTheDisplayLists) {
  EXPECT_EQ(ChooseDisplayMode({{800, 600, 32}, {1024, 768, 16}, {1024, 768, 32}}, kDesign),
            ModeChoice::ChangeToDesignMode);
  // 1024 x 768 at other depths only, or not at all: the current mode stays.
  EXPECT_EQ(ChooseDisplayMode({{1920, 1080, 32}, {1024, 768, 16}, {1024, 768, 24}}, kDesign),
            ModeChoice::KeepCurrentMode);
  EXPECT_EQ(ChooseDisplayMode({{2560, 1440, 32}, {1920, 1080, 32}}, kDesign),
            ModeChoice::KeepCurrentMode);
  EXPECT_EQ(ChooseDisplayMode({}, kDesign), ModeChoice::KeepCurrentMode);
}

TEST(MonitorCovers, EveryMonitorButTheScenesIsCoveredWhole) {
  const ScreenRect primary{0, 0, 1024, 768};
  // A second monitor to the right and a third above and to the left, at negative coordinates.
  const std::vector<ScreenRect> monitors{primary, {1024, 0, 1824, 600}, {-1280, -1024, 0, 0}};
  EXPECT_EQ(CoverRects(monitors, primary),
            (std::vector<ScreenRect>{{1024, 0, 1824, 600}, {-1280, -1024, 0, 0}}));
  // One monitor: nothing to cover.
  EXPECT_TRUE(CoverRects({primary}, primary).empty());
}

TEST(MonitorCovers, ClonedAndOddMonitorsGetNoSecondCover) {
  const ScreenRect primary{0, 0, 1920, 1080};
  // A clone of the primary shows the scene already; a monitor reported twice is covered once;
  // an empty rectangle is no monitor.
  const std::vector<ScreenRect> monitors{
      primary, primary, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}, {0, 0, 0, 0}};
  EXPECT_EQ(CoverRects(monitors, primary), (std::vector<ScreenRect>{{1920, 0, 3840, 1080}}));
  // A monitor the scene only partly holds is covered whole.
  EXPECT_EQ(CoverRects({primary, {1000, 500, 2000, 1500}}, primary),
            (std::vector<ScreenRect>{{1000, 500, 2000, 1500}}));
}

}  // namespace
