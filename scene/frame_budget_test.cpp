#include "scene/frame_budget.h"

#include <gtest/gtest.h>

#include <string>

#include "scene/testing/scripted_pace_clock.h"

namespace {

constexpr int64_t kTenMegahertz = 10'000'000;       // the wall clock: Windows' performance counter
constexpr int64_t kCpuTicksPerSecond = 10'000'000;  // the CPU clock: FILETIME's 100 ns
constexpr int64_t kSeconds = 60;
constexpr const char* kLlvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";

TEST(FrameBudgetTest, SoftwareRenderersAreKnownByName) {
  for (const char* name : {kLlvmpipe, "softpipe", "Software Rasterizer", "GDI Generic",
                           "D3D12 (Microsoft Basic Render Driver)"}) {
    EXPECT_TRUE(IsSoftwareRenderer(name)) << name;
  }
  // Graphics processors, one of them compiled with LLVM too, and a virtual machine's, which the
  // host's processor draws for.
  for (const char* name : {"NVIDIA GeForce RTX 3060/PCIe/SSE2",
                           "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
                           "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
                           "SVGA3D; build: RELEASE;  LLVM;", "virgl (AMD Radeon)", ""}) {
    EXPECT_FALSE(IsSoftwareRenderer(name)) << name;
  }
}

struct MinuteOfFrames {
  double framesPerSecond = 0;
  double stepsPerSecond = 0;
  double cores = 0;  // over the minute after the first measurement
};

// The frame loop over a simulated minute on a 60 Hz display without vsync: it waits until the
// next frame is due, then draws a frame that costs `cpuPerFrame` of the process's CPU time and
// half as much wall time (the driver draws on two threads).
MinuteOfFrames RunMinute(const char* glRenderer, double cpuPerFrame, bool cpuClockKnown = true) {
  ScriptedClock wall(kTenMegahertz);
  ScriptedClock cpu(kCpuTicksPerSecond);
  FramePacer pacer(wall);
  FrameBudget budget(wall, cpuClockKnown ? &cpu : nullptr, glRenderer);
  const int64_t measuredFrom = wall.now_ + 2 * kTenMegahertz;
  const int64_t end = measuredFrom + kSeconds * kTenMegahertz;
  int64_t framesBefore = 0, stepsBefore = 0, cpuBefore = 0;
  bool measuring = false;
  while (wall.now_ < end) {
    wall.now_ += pacer.TicksUntilNextFrame();
    if (!measuring && wall.now_ >= measuredFrom) {
      measuring = true;
      framesBefore = pacer.framesDrawn();
      stepsBefore = pacer.stepsTaken();
      cpuBefore = cpu.now_;
    }
    pacer.BeginFrame();
    cpu.now_ += static_cast<int64_t>(cpuPerFrame * kCpuTicksPerSecond);
    wall.now_ += static_cast<int64_t>(cpuPerFrame / 2 * kTenMegahertz);
    budget.FrameDone();
    pacer.EndFrame(60, budget.MinimumFrameTicks());
  }
  const double seconds = static_cast<double>(wall.now_ - measuredFrom) / kTenMegahertz;
  return {static_cast<double>(pacer.framesDrawn() - framesBefore) / seconds,
          static_cast<double>(pacer.stepsTaken() - stepsBefore) / seconds,
          static_cast<double>(cpu.now_ - cpuBefore) / kCpuTicksPerSecond / seconds};
}

TEST(FrameBudgetTest, SoftwareFramesComeNoOftenerThanTheBudgetAllowsAndStepsKeepTheirPace) {
  // llvmpipe at 1024 x 768: 60 frames a second would take 1.2 cores.
  const MinuteOfFrames paced = RunMinute(kLlvmpipe, 0.020);
  EXPECT_NEAR(paced.cores, FrameBudget::kCores, 0.01);
  EXPECT_NEAR(paced.framesPerSecond, 25.0, 0.5);
  EXPECT_NEAR(paced.stepsPerSecond, 60.0, 0.05);

  // Frames cheap enough for the refresh rate within the budget keep it.
  const MinuteOfFrames cheap = RunMinute(kLlvmpipe, 0.005);
  EXPECT_NEAR(cheap.framesPerSecond, 60.0, 0.05);
  EXPECT_NEAR(cheap.cores, 0.3, 0.01);

  // A renderer too slow for the budget at the slowest rate draws as fast as it can.
  const MinuteOfFrames slow = RunMinute("GDI Generic", 0.200);
  EXPECT_NEAR(slow.framesPerSecond, 10.0, 0.05);
  EXPECT_NEAR(slow.stepsPerSecond, 60.0, 0.05);
  // ... and one between the two at the slowest rate.
  EXPECT_NEAR(RunMinute(kLlvmpipe, 0.050).framesPerSecond, FrameBudget::kSlowestHz, 0.05);
}

TEST(FrameBudgetTest, GraphicsProcessorsAndUnknownCpuTimeKeepTheRefreshRate) {
  EXPECT_NEAR(RunMinute("NVIDIA GeForce RTX 3060/PCIe/SSE2", 0.020).framesPerSecond, 60.0, 0.05);
  EXPECT_NEAR(RunMinute(kLlvmpipe, 0.020, false).framesPerSecond, 60.0, 0.05);
}

TEST(FrameBudgetTest, AnnouncedOnlyWhenOn) {
  ScriptedClock wall(kTenMegahertz);
  ScriptedClock cpu(kCpuTicksPerSecond);
  const FrameBudget on(wall, &cpu, kLlvmpipe);
  EXPECT_TRUE(on.active());
  EXPECT_EQ(on.announcement(), std::string("mirebora: drawing in software (") + kLlvmpipe +
                                   "): frames within 0.5 cores\n");
  EXPECT_EQ(on.MinimumFrameTicks(), 0);
  const FrameBudget off(wall, &cpu, "AMD Radeon RX 6600");
  EXPECT_FALSE(off.active());
  EXPECT_EQ(off.announcement(), "");
}

}  // namespace
