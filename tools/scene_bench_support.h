#pragma once

#include <chrono>

#include "scene/no_capture_files.h"
#include "scene/scene.h"

// Shared by the scene benchmarks: where in the fixed sequence two explosions run at once, and
// a scene brought there.

inline int RunningExplosions(const Scene& scene) {
  int running = 0;
  for (const int flag : scene.explosionActive) {
    running += flag;
  }
  return running;
}

// Frames first .. first + length - 1 all have two explosions running after their step.
struct FrameWindow {
  int first = 0;
  int length = 0;
};

inline FrameWindow TwoExplosionWindow() {
  NoCaptureFiles loader;
  Scene scene(loader);
  scene.ResetScene();
  FrameWindow window;
  for (int frame = 1; frame < 100 * kCycleFrames; ++frame) {
    scene.Advance(1);
    if (RunningExplosions(scene) == 2) {
      if (window.length == 0) {
        window.first = frame;
      }
      ++window.length;
    } else if (window.length > 0) {
      break;
    }
  }
  return window;
}

// Steps a reset scene until the frame before `frame`, so that its next frame is `frame`.
inline void StepToFrameBefore(Scene& scene, int frame) {
  scene.ResetScene();
  scene.Advance(frame - 1);
}

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point start) {
  return std::chrono::duration<double>(BenchClock::now() - start).count();
}
