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

MonitorInfo Monitor(const char* device, ScreenRect rect, bool primary = false) {
  return {device, rect, primary};
}

const ScreenRect kPrimary{0, 0, 1024, 768};
const ScreenRect kRight{1024, 0, 1824, 600};
const ScreenRect kPortraitAboveLeft{-768, -1024, 0, 0};

TEST(MonitorScenes, AtTheStartEveryOtherMonitorTakesAPlaceInListOrder) {
  // The primary listed second, a portrait monitor above and to the left at negative coordinates.
  const std::vector<MonitorInfo> monitors{Monitor("\\\\.\\DISPLAY2", kRight),
                                          Monitor("\\\\.\\DISPLAY1", kPrimary, true),
                                          Monitor("\\\\.\\DISPLAY3", kPortraitAboveLeft)};
  EXPECT_EQ(PrimaryMonitorRect(monitors), kPrimary);
  const MonitorScenesChange change = PlanMonitorScenes({}, monitors, kPrimary);
  EXPECT_TRUE(change.end.empty());
  EXPECT_TRUE(change.move.empty());
  EXPECT_EQ(change.start,
            (std::vector<MonitorScenePlace>{{"\\\\.\\DISPLAY2", kRight, 1},
                                            {"\\\\.\\DISPLAY3", kPortraitAboveLeft, 2}}));
  // One monitor: the primary's scene is the only one.
  EXPECT_TRUE(
      PlanMonitorScenes({}, {Monitor("\\\\.\\DISPLAY1", kPrimary, true)}, kPrimary).start.empty());
}

TEST(MonitorScenes, ClonesEmptyMonitorsAndTheModeChangedPrimaryGetNoSceneOfTheirOwn) {
  // The primary switched to 1024 x 768 is still listed at its old size by a clone of it; a
  // clone of the right monitor, an empty rectangle and a monitor partly over the primary's scene.
  const ScreenRect partly{1000, 500, 2000, 1500};
  const std::vector<MonitorInfo> monitors{
      Monitor("A", kPrimary, true), Monitor("B", {0, 0, 800, 600}), Monitor("C", kRight),
      Monitor("D", kRight),         Monitor("E", {5, 5, 5, 5}),     Monitor("F", partly)};
  EXPECT_EQ(PlanMonitorScenes({}, monitors, kPrimary).start,
            (std::vector<MonitorScenePlace>{{"C", kRight, 1}, {"F", partly, 2}}));
  // No monitor marked primary: the one at the origin is.
  EXPECT_EQ(PrimaryMonitorRect({Monitor("C", kRight), Monitor("A", kPrimary)}), kPrimary);
  EXPECT_EQ(PrimaryMonitorRect({}), ScreenRect{});
}

TEST(MonitorScenes, AfterAChangeScenesGoOnMoveEndOrStartWithAFreshPlace) {
  const std::vector<MonitorScenePlace> running{
      {"B", kRight, 1}, {"C", kPortraitAboveLeft, 2}, {"D", {1824, 0, 2624, 600}, 3}};
  // C is unplugged, B grows to 1920 x 1080, D stays, E is plugged in: B keeps its place and
  // E takes C's, the one no running scene has.
  const ScreenRect bigger{1024, 0, 2944, 1080};
  const ScreenRect added{-1920, 0, 0, 1080};
  const MonitorScenesChange change =
      PlanMonitorScenes(running,
                        {Monitor("A", kPrimary, true), Monitor("B", bigger),
                         Monitor("D", {1824, 0, 2624, 600}), Monitor("E", added)},
                        kPrimary);
  EXPECT_EQ(change.end, std::vector<std::string>{"C"});
  EXPECT_EQ(change.move, (std::vector<MonitorScenePlace>{{"B", bigger, 1}}));
  EXPECT_EQ(change.start, (std::vector<MonitorScenePlace>{{"E", added, 2}}));

  // B becomes the primary (A unplugged): B's scene ends, as the primary's scene moves there.
  const MonitorScenesChange swapped =
      PlanMonitorScenes({{"B", kRight, 1}}, {Monitor("B", kPrimary, true)}, kPrimary);
  EXPECT_EQ(swapped.end, std::vector<std::string>{"B"});
  EXPECT_TRUE(swapped.start.empty());
}

}  // namespace
