#include "host/renderer_watch.h"

#include <gtest/gtest.h>

namespace {

RendererSighting Window(uint64_t ms) { return {true, false, ms}; }
RendererSighting NoWindow(uint64_t ms, bool processEnded = false) {
  return {false, processEnded, ms};
}

TEST(RendererWatch, RunsWhileTheWindowIsThereAndEndsAtTheFirstTickWithoutIt) {
  RendererWatch watch(true);
  EXPECT_FALSE(watch.RendererEnded(Window(500)));
  EXPECT_FALSE(watch.RendererEnded(Window(60'000)));
  EXPECT_TRUE(watch.RendererEnded(NoWindow(60'500)));
  // Once ended, a window of the same title appearing later does not bring the watch back.
  EXPECT_TRUE(watch.RendererEnded(Window(61'000)));
}

TEST(RendererWatch, WaitsForASlowRendererUntilTheGraceHasPassed) {
  RendererWatch watch(true, 10'000);
  EXPECT_FALSE(watch.RendererEnded(NoWindow(500)));
  EXPECT_FALSE(watch.RendererEnded(NoWindow(9'999)));
  EXPECT_FALSE(watch.windowSeen());
  // A window that appears late is watched as usual.
  EXPECT_FALSE(watch.RendererEnded(Window(9'999)));
  EXPECT_TRUE(watch.windowSeen());
  EXPECT_TRUE(watch.RendererEnded(NoWindow(10'500)));
}

TEST(RendererWatch, GivesUpOnARendererThatNeverShowsAWindow) {
  RendererWatch watch(true, 10'000);
  EXPECT_FALSE(watch.RendererEnded(NoWindow(9'500)));
  EXPECT_TRUE(watch.RendererEnded(NoWindow(10'000)));
}

TEST(RendererWatch, ARendererThatExitedBeforeShowingAWindowEndsAtOnce) {
  // For example a display that refuses the renderer's mode: no need to wait out the grace.
  RendererWatch watch(true, 10'000);
  EXPECT_TRUE(watch.RendererEnded(NoWindow(500, /*processEnded=*/true)));
}

TEST(RendererWatch, ARendererThatCouldNotBeStartedEndsAtTheFirstTick) {
  RendererWatch watch(false, 10'000);
  EXPECT_TRUE(watch.RendererEnded(NoWindow(500)));
}

}  // namespace
