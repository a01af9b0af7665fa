#include "scene/frame_loop.h"

#include "scene/frame_budget.h"

LoopProgress RunFrameLoop(FramePlatform& platform, FrameScene& scene,
                          const FrameLoopOptions& options) {
  PaceClock& clock = platform.WallClock();
  FramePacer pacer(clock);
  FrameBudget budget(clock, platform.ProcessCpuClock(), options.glRenderer);
  // A renderer in software keeps its budget instead: its frames come rarer than the display's.
  SwapPacing swapPacing(clock, platform.SwapsMayWaitForDisplay() && !budget.active());
  if (budget.active()) {
    platform.Report(budget.announcement().c_str());
  }
  LoopProgress progress;
  PaceLine paceLine{};
  bool paused = false;
  platform.PacingChanged(true);
  while (platform.PumpInput(progress)) {
    int width = 0, height = 0;
    if (platform.TakeNewSize(width, height)) {
      scene.Resize(width, height);
    }
    if (!platform.Visible()) {
      // The scene stands still until input shows the window again.
      if (!paused) platform.PacingChanged(false);
      paused = true;
      platform.WaitForInput(FramePlatform::kNoTimeLimit);
      continue;
    }
    if (paused) {
      paused = false;
      pacer.Resume();
      swapPacing.Resume();
      platform.PacingChanged(true);
    }
    const int64_t untilNextFrame = pacer.TicksUntilNextFrame();
    if (untilNextFrame > 0) {
      platform.WaitForInput(untilNextFrame);
      continue;
    }

    const int64_t frameStart = clock.Now();
    const FramePlan plan = pacer.BeginFrame();
    scene.Advance(plan.steps);
    scene.RenderFrame(plan.fraction);
    platform.ShowFrame(frameStart);
    budget.FrameDone();
    const int refreshHz = platform.RefreshHz();
    pacer.EndFrame(refreshHz, budget.MinimumFrameTicks(), swapPacing.active());
    swapPacing.FrameShown(refreshHz);
    progress = {pacer.stepsTaken(), pacer.framesDrawn()};
    if (pacer.TakePaceLine(paceLine) && options.reportPace) {
      platform.Report(paceLine.data());
    }
  }
  if (!paused) platform.PacingChanged(false);
  return progress;
}
