#include "scene/frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "scene/testing/scripted_pace_clock.h"

namespace {

constexpr int64_t kSimulatedSeconds = 60;
constexpr int64_t kStepsPerMinute = kSimulatedSeconds * FramePacer::kStepsPerSecond;

// Wine's and Windows' usual performance counter, and one that does not divide by 60.
constexpr int64_t kTenMegahertz = 10'000'000;
constexpr int64_t kOddFrequency = 3'579'545;

struct MinuteResult {
  int64_t steps = 0;
  int64_t frames = 0;
  int64_t skipped = 0;
  int mostStepsInOneFrame = 0;
};

enum class WallTime { kKept, kLetGo };

// Frames drawn at the times nextFrameTime gives, over a simulated minute from the first frame to
// one at its end.
// While no time is let go, every frame shows the scene at wall time: steps - 2 + fraction is the
// time since the first frame in steps (the first frame takes step 1 and shows it at time 0).
template <typename NextFrameTime>
MinuteResult RunMinute(ScriptedClock& clock, NextFrameTime&& nextFrameTime,
                       WallTime wallTime = WallTime::kKept) {
  FramePacer pacer(clock);
  const int64_t start = clock.now_;
  const int64_t end = start + kSimulatedSeconds * clock.TicksPerSecond();
  MinuteResult result;
  for (int64_t frame = 0; clock.now_ <= end; ++frame) {
    const FramePlan plan = pacer.BeginFrame();
    result.mostStepsInOneFrame = std::max(result.mostStepsInOneFrame, plan.steps);
    const double elapsedSteps = static_cast<double>(clock.now_ - start) *
                                FramePacer::kStepsPerSecond / clock.TicksPerSecond();
    const double drawnAt = static_cast<double>(pacer.stepsTaken()) - 2 + plan.fraction;
    if (wallTime == WallTime::kKept) {
      EXPECT_NEAR(drawnAt, elapsedSteps, 1e-4) << "frame " << frame;
    }
    EXPECT_GT(plan.fraction, 0.0f);
    EXPECT_LE(plan.fraction, 1.0f);
    if (clock.now_ == end) {
      break;
    }
    // The last frame comes at the end of the minute exactly.
    clock.now_ = std::min(nextFrameTime(frame + 1), end);
  }
  // The first frame's step shows the scene at the start; the minute brings the steps after it.
  result.steps = pacer.stepsTaken() - 1;
  result.frames = pacer.framesDrawn();
  result.skipped = pacer.stepsSkipped();
  if (wallTime == WallTime::kKept) {
    EXPECT_EQ(result.skipped, 0);
  }
  return result;
}

// A display whose swaps wait for its refresh: frame k comes exactly k periods after the first.
MinuteResult RunAtRefreshRate(int64_t ticksPerSecond, int hz) {
  ScriptedClock clock(ticksPerSecond);
  const int64_t start = clock.now_;
  return RunMinute(clock, [&](int64_t frame) { return start + frame * ticksPerSecond / hz; });
}

TEST(FramePacerTest, EveryRefreshRateGives3600StepsAMinute) {
  for (const int64_t frequency : {kTenMegahertz, kOddFrequency}) {
    for (const int hz : {60, 75, 144, 240}) {
      const MinuteResult result = RunAtRefreshRate(frequency, hz);
      EXPECT_NEAR(result.steps, kStepsPerMinute, 1) << hz << " Hz at " << frequency;
      EXPECT_EQ(result.frames, kSimulatedSeconds * hz + 1) << hz << " Hz at " << frequency;
      EXPECT_LE(result.mostStepsInOneFrame, 1) << hz << " Hz at " << frequency;
    }
  }
}

TEST(FramePacerTest, IrregularFramesAndFramesWithoutWaitingGive3600StepsAMinute) {
  ScriptedClock irregular(kTenMegahertz);
  std::mt19937 random(14);
  // From 0.5 ms to 230 ms: with the part of a step already under way, within the catch-up
  // limit of a quarter of a second.
  std::uniform_int_distribution<int64_t> interval(kTenMegahertz / 2000, kTenMegahertz * 230 / 1000);
  const MinuteResult jittery =
      RunMinute(irregular, [&](int64_t) { return irregular.now_ + interval(random); });
  EXPECT_NEAR(jittery.steps, kStepsPerMinute, 1);
  EXPECT_GE(jittery.mostStepsInOneFrame, FramePacer::kMaxStepsPerFrame - 1);

  // As fast as the machine draws: a frame every 0.3 ms.
  ScriptedClock flatOut(kOddFrequency);
  const MinuteResult fast =
      RunMinute(flatOut, [&](int64_t) { return flatOut.now_ + kOddFrequency * 3 / 10000; });
  EXPECT_NEAR(fast.steps, kStepsPerMinute, 1);
  EXPECT_GT(fast.frames, 50 * kStepsPerMinute);
}

TEST(FramePacerTest, OneFramePerStepShowsEachStepAsItIs) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  const int64_t start = clock.now_;
  for (int64_t frame = 0; frame < 600; ++frame) {
    clock.now_ = start + frame * kTenMegahertz / 60;
    const FramePlan plan = pacer.BeginFrame();
    EXPECT_EQ(plan.steps, 1) << frame;
    EXPECT_EQ(plan.fraction, 1.0f) << frame;
  }
}

TEST(FramePacerTest, FractionIsThePartOfTheStepThatHasPassed) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  const int64_t start = clock.now_;
  // The clock's time `quarters` quarter steps after the first frame.
  const auto atQuarterSteps = [&](int64_t quarters) {
    return start + quarters * kTenMegahertz / (4 * FramePacer::kStepsPerSecond);
  };
  // Times fall on whole ticks: a tick is 6e-6 of a step.
  constexpr float kOneTick = 1e-5f;
  EXPECT_EQ(pacer.BeginFrame().fraction, 1.0f);  // step 1, shown at once

  // A quarter into the second step: step 2 is taken, shown a quarter of the way from step 1.
  clock.now_ = atQuarterSteps(1);
  FramePlan plan = pacer.BeginFrame();
  EXPECT_EQ(plan.steps, 1);
  EXPECT_NEAR(plan.fraction, 0.25f, kOneTick);
  clock.now_ = atQuarterSteps(3);
  plan = pacer.BeginFrame();
  EXPECT_EQ(plan.steps, 0);
  EXPECT_NEAR(plan.fraction, 0.75f, kOneTick);
  // Two and a half steps further: three more steps, a quarter of the way to the latest.
  clock.now_ = atQuarterSteps(13);
  plan = pacer.BeginFrame();
  EXPECT_EQ(plan.steps, 3);
  EXPECT_NEAR(plan.fraction, 0.25f, kOneTick);
  EXPECT_EQ(pacer.stepsTaken(), 5);
}

TEST(FramePacerTest, AThreeSecondStallCostsAtMostTheCatchUpLimit) {
  ScriptedClock clock(kTenMegahertz);
  const int64_t start = clock.now_;
  constexpr int64_t kStallAfterFrame = 20 * 60;
  const MinuteResult result = RunMinute(
      clock,
      [&](int64_t frame) {
        const int64_t stall = frame > kStallAfterFrame ? 3 * kTenMegahertz : 0;
        return start + frame * kTenMegahertz / 60 + stall;
      },
      WallTime::kLetGo);
  // The frame after the stall finds 181 steps due, takes the catch-up limit of them and skips
  // the rest.
  EXPECT_NEAR(result.steps, kStepsPerMinute - 181 + FramePacer::kMaxStepsPerFrame, 1);
  EXPECT_EQ(result.skipped, 181 - FramePacer::kMaxStepsPerFrame);
  EXPECT_EQ(result.mostStepsInOneFrame, FramePacer::kMaxStepsPerFrame);
}

TEST(FramePacerTest, AfterAStallTheFrameShowsItsLatestStepAndThePaceGoesOn) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  pacer.BeginFrame();
  clock.now_ += 3 * kTenMegahertz;
  FramePlan plan = pacer.BeginFrame();
  EXPECT_EQ(plan.steps, FramePacer::kMaxStepsPerFrame);
  EXPECT_EQ(plan.fraction, 1.0f);
  for (int frame = 1; frame <= 120; ++frame) {
    clock.now_ += kTenMegahertz / 60;
    plan = pacer.BeginFrame();
    EXPECT_EQ(plan.steps, 1) << frame;
  }
}

// The loop waits for TicksUntilNextFrame, wakes a little late, draws for a while and ends the
// frame: frames come at the refresh rate, never faster, and steps keep their pace.
TEST(FramePacerTest, WaitingForTheNextFrameGivesTheRefreshRate) {
  for (const int hz : {0, 60, 144}) {
    ScriptedClock clock(kTenMegahertz);
    FramePacer pacer(clock);
    std::mt19937 random(hz);
    std::uniform_int_distribution<int64_t> lateWake(0, kTenMegahertz / 1000);
    std::uniform_int_distribution<int64_t> drawing(kTenMegahertz / 1000, kTenMegahertz / 200);
    const int64_t end = clock.now_ + kSimulatedSeconds * kTenMegahertz;
    while (true) {
      clock.now_ += pacer.TicksUntilNextFrame();
      EXPECT_EQ(pacer.TicksUntilNextFrame(), 0);
      clock.now_ += lateWake(random);
      if (clock.now_ >= end) {
        break;
      }
      pacer.BeginFrame();
      clock.now_ += drawing(random);
      pacer.EndFrame(hz);
    }
    const int64_t expectedFrames = kSimulatedSeconds * (hz > 1 ? hz : 60);
    EXPECT_NEAR(pacer.framesDrawn(), expectedFrames, 1) << hz;
    EXPECT_NEAR(pacer.stepsTaken(), kStepsPerMinute, 1) << hz;
  }
}

TEST(FramePacerTest, AFrameSlowerThanTheRefreshMakesTheNextDueAtOnce) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  pacer.BeginFrame();
  clock.now_ += kTenMegahertz / 20;  // 50 ms of drawing
  pacer.EndFrame(60);
  EXPECT_EQ(pacer.TicksUntilNextFrame(), 0);
  pacer.BeginFrame();
  clock.now_ += kTenMegahertz / 1000;
  pacer.EndFrame(60);
  EXPECT_EQ(pacer.TicksUntilNextFrame(), kTenMegahertz / 60 - kTenMegahertz / 1000);
}

TEST(FramePacerTest, APauseIsNotMadeUp) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  const int64_t step = kTenMegahertz / 60;
  pacer.BeginFrame();
  clock.now_ += step / 2;
  const FramePlan before = pacer.BeginFrame();
  clock.now_ += 5 * kTenMegahertz;
  pacer.Resume();
  EXPECT_EQ(pacer.TicksUntilNextFrame(), 0);
  const FramePlan after = pacer.BeginFrame();
  EXPECT_EQ(after.steps, 0);
  EXPECT_EQ(after.fraction, before.fraction);
  clock.now_ += step;
  EXPECT_EQ(pacer.BeginFrame().steps, 1);
}

TEST(FramePacerTest, PaceLineOnceASecondWithTheCountsSoFar) {
  ScriptedClock clock(kTenMegahertz);
  FramePacer pacer(clock);
  PaceLine line{};
  int lines = 0;
  std::string last;
  const int64_t start = clock.now_;
  for (int64_t frame = 0; frame < 120 * 3 + 1; ++frame) {
    clock.now_ = start + frame * kTenMegahertz / 120;
    pacer.BeginFrame();
    if (pacer.TakePaceLine(line)) {
      ++lines;
      last = line.data();
    }
  }
  EXPECT_EQ(lines, 3);
  EXPECT_EQ(last, "mirebora: steps 181 frames 361 skipped 0\n");

  // A long pause gives one line when the frames go on, not one for every second missed.
  clock.now_ += 10 * kTenMegahertz;
  pacer.Resume();
  EXPECT_TRUE(pacer.TakePaceLine(line));
  // A stall of a second: the steps beyond the catch-up limit are counted as skipped.
  clock.now_ += kTenMegahertz;
  pacer.BeginFrame();
  EXPECT_TRUE(pacer.TakePaceLine(line));
  EXPECT_EQ(std::string(line.data()), "mirebora: steps 196 frames 362 skipped 45\n");
  EXPECT_FALSE(pacer.TakePaceLine(line));
  clock.now_ += kTenMegahertz;
  EXPECT_TRUE(pacer.TakePaceLine(line));
}

}  // namespace
