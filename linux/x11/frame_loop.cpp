// X's headers define macros (Below, None, Success ...) that clash with names in the core: the
// core's headers come first.
#include "scene/frame_budget.h"
#include "scene/frame_pacer.h"
#include "scene/projection.h"
#include "scene/scene.h"

#include "linux/fps_overlay.h"
#include "linux/x11/frame_loop.h"

namespace {
constexpr int64_t kNoTimeLimit = -1;
}  // namespace

LoopProgress RunFrameLoop(SaverWindow& window, Scene& scene, LoopClock& clock, StopRequest& stop,
                          bool showFps) {
  FramePacer pacer(clock);
  const GLubyte* glRenderer = glGetString(GL_RENDERER);
  FrameBudget budget(clock, clock.ProcessCpu(),
                     glRenderer != nullptr ? reinterpret_cast<const char*>(glRenderer) : "");
  FpsMeter meter(clock.Now(), clock.TicksPerSecond());
  const int refreshHz = DisplayRefreshHz(window);
  const int connection = ConnectionNumber(window.display);
  bool paused = false;
  while (true) {
    HandleSaverEvents(window);
    if (window.gone || stop.Requested(scene, {pacer.stepsTaken(), pacer.framesDrawn()})) {
      break;
    }
    if (window.sizeChanged) {
      window.sizeChanged = false;
      SetProjection(window.width, window.height);
    }
    if (!window.viewable) {
      // Unmapped: the scene stands still until an event maps the window again.
      paused = true;
      clock.WaitForInput(connection, kNoTimeLimit);
      continue;
    }
    if (paused) {
      paused = false;
      pacer.Resume();
    }
    const int64_t untilNextFrame = pacer.TicksUntilNextFrame();
    if (untilNextFrame > 0) {
      // Xlib may already hold events read from the connection: those are handled first.
      if (XPending(window.display) == 0) {
        clock.WaitForInput(connection, untilNextFrame);
      }
      continue;
    }

    const int64_t frameStart = clock.Now();
    if (!scene.DrawPlannedFrame(pacer.BeginFrame())) {
      break;
    }
    if (showFps) {
      DrawFpsOverlay(meter.text(), window.width, window.height);
    }
    glXSwapBuffers(window.display, window.drawable);
    budget.FrameDone();
    pacer.EndFrame(refreshHz, budget.MinimumFrameTicks());
    if (showFps) {
      const int64_t now = clock.Now();
      meter.FrameDone(now, now - frameStart);
    }
  }
  return {pacer.stepsTaken(), pacer.framesDrawn()};
}
