#pragma once

// X's headers define macros (Below, None, Success ...) that clash with names in the core: the
// core's headers come first.
#include "scene/frame_loop.h"

#include "linux/fps_overlay.h"
#include "linux/x11/loop_seams.h"
#include "linux/x11/saver_window.h"

class Scene;

// The frame loop's platform on X11: the window's events, waits on the X connection through the
// loop's clock, glXSwapBuffers, and the standard error for what the loop reports. With
// `showFps` each frame carries the frame-rate overlay. The loop ends when the window is gone or
// `stop` asks for it, with `scene` as the latest frame left it.
class X11FramePlatform final : public FramePlatform {
 public:
  X11FramePlatform(SaverWindow& window, LoopClock& clock, StopRequest& stop, const Scene& scene,
                   bool showFps);

  bool PumpInput(const LoopProgress& sofar) override;
  bool Visible() const override { return window_.viewable; }
  bool TakeNewSize(int& width, int& height) override;
  void WaitForInput(int64_t ticks) override;
  void ShowFrame(int64_t drawingSince) override;
  int RefreshHz() override { return refreshHz_; }
  PaceClock& WallClock() override { return clock_; }
  PaceClock* ProcessCpuClock() override { return clock_.ProcessCpu(); }
  void Report(const char* line) override;

 private:
  SaverWindow& window_;
  LoopClock& clock_;
  StopRequest& stop_;
  const Scene& scene_;
  const bool showFps_;
  const int refreshHz_;
  FpsMeter meter_;
};
