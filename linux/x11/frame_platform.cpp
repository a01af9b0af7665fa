// X's headers define macros (Below, None, Success ...) that clash with names in the core: the
// core's headers come first.
#include "scene/scene.h"

#include <cstdio>

#include "linux/x11/frame_platform.h"

X11FramePlatform::X11FramePlatform(SaverWindow& window, LoopClock& clock, StopRequest& stop,
                                   const Scene& scene, bool showFps)
    : window_(window),
      clock_(clock),
      stop_(stop),
      scene_(scene),
      showFps_(showFps),
      refreshHz_(DisplayRefreshHz(window)),
      meter_(clock.Now(), clock.TicksPerSecond()) {}

bool X11FramePlatform::PumpInput(const LoopProgress& sofar) {
  HandleSaverEvents(window_);
  return !window_.gone && !stop_.Requested(scene_, sofar);
}

bool X11FramePlatform::TakeNewSize(int& width, int& height) {
  if (!window_.sizeChanged) {
    return false;
  }
  window_.sizeChanged = false;
  width = window_.width;
  height = window_.height;
  return true;
}

void X11FramePlatform::WaitForInput(int64_t ticks) {
  // Xlib may already hold events read from the connection: those are handled first.
  if (XPending(window_.display) == 0) {
    clock_.WaitForInput(ConnectionNumber(window_.display), ticks);
  }
}

void X11FramePlatform::ShowFrame(int64_t drawingSince) {
  if (showFps_) {
    DrawFpsOverlay(meter_.text(), window_.width, window_.height);
  }
  glXSwapBuffers(window_.display, window_.drawable);
  if (showFps_) {
    const int64_t now = clock_.Now();
    meter_.FrameDone(now, now - drawingSince);
  }
}

void X11FramePlatform::Report(const char* line) {
  std::fputs(line, stderr);
  std::fflush(stderr);
}
