#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scene/frame_pacer.h"

// True for the OpenGL renderers that draw with the processor: Mesa's llvmpipe, softpipe and
// swrast, Windows' own "GDI Generic", and Direct3D's WARP under Mesa's D3D12 driver.
bool IsSoftwareRenderer(std::string_view glRenderer);

// Keeps a renderer that draws in software within a share of the machine. Such a renderer spends
// 15 to 20 ms of CPU on one full-screen frame, so 60 frames a second keep a whole core busy for
// as long as the saver runs. With the budget, frames come no oftener than the process's own CPU
// time per frame allows within kCores: each frame still draws the same pixels, and the scene's
// steps keep their pace in wall time, so motion keeps its speed and only fewer pictures in
// between are shown. A graphics processor draws a frame for a fraction of a millisecond of CPU,
// and its drivers may spin while they wait for the display, which must not count as drawing:
// there the budget stays off.
class FrameBudget {
 public:
  static constexpr double kCores = 0.5;
  // The budget never makes frames rarer than this; a renderer slower still draws flat out.
  static constexpr int kSlowestHz = 15;
  // The CPU time per frame is measured over this much wall time, long enough for clocks that
  // count CPU time in scheduler ticks (Windows: 15.6 ms).
  static constexpr int kMeasuringSeconds = 1;

  // `wall` is the pacer's clock; `processCpu` counts the CPU time of the whole process (every
  // thread of the renderer's driver included), or is null where none is known. The budget is on
  // when both clocks are there and `glRenderer` draws in software.
  FrameBudget(PaceClock& wall, PaceClock* processCpu, std::string_view glRenderer);

  bool active() const { return processCpu_ != nullptr; }
  // "mirebora: drawing in software (RENDERER): frames within 0.5 cores" and a line end, or ""
  // when the budget is off.
  const std::string& announcement() const { return announcement_; }

  // After each frame is shown.
  void FrameDone();
  // The shortest time from one frame to the next, in ticks of the wall clock: the CPU time per
  // frame of the latest measurement over kCores, at most 1/kSlowestHz s. 0 until a measurement
  // is complete, and always while the budget is off.
  int64_t MinimumFrameTicks() const { return minimumFrameTicks_; }

 private:
  PaceClock& wall_;
  PaceClock* processCpu_;
  std::string announcement_;
  int64_t measuringSince_ = 0;
  int64_t cpuSince_ = 0;
  int64_t framesSince_ = 0;
  int64_t minimumFrameTicks_ = 0;
};
