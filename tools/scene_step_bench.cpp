// The simulation step's cost per frame (no drawing): with two explosions running, the busiest
// the fixed sequence gets, next to frames with one meteor falling and no explosion.

#include <cstdio>

#include "tools/scene_bench_support.h"

namespace {

constexpr double kMinSeconds = 2.0;
constexpr int kQuietFirstFrame = 10;  // the first meteor falls, nothing has exploded yet
constexpr int kQuietFrames = 900;

// Each pass leaves the generator's state here, so the optimiser must keep the work.
volatile unsigned stateSink;

// Nanoseconds per step over frames first .. first + length - 1, repeated from a fresh
// scene (set up outside the timing) until kMinSeconds of steps have been timed.
double NanosecondsPerStep(int first, int length) {
  NoCaptureFiles loader;
  Scene scene(loader);
  double timed = 0;
  long steps = 0;
  while (timed < kMinSeconds) {
    StepToFrameBefore(scene, first);
    const BenchClock::time_point start = BenchClock::now();
    scene.Advance(length);
    timed += SecondsSince(start);
    steps += length;
    stateSink = scene.random.state();
  }
  return timed * 1e9 / static_cast<double>(steps);
}

}  // namespace

int main() {
  const FrameWindow window = TwoExplosionWindow();
  if (window.length == 0) {
    std::fprintf(stderr, "scene-step-bench: the sequence never runs two explosions at once\n");
    return 1;
  }
  const double busy = NanosecondsPerStep(window.first, window.length);
  const double quiet = NanosecondsPerStep(kQuietFirstFrame, kQuietFrames);
  std::printf("scene step, two explosions running (frames %d-%d): %8.1f ns per frame\n",
              window.first, window.first + window.length - 1, busy);
  std::printf("scene step, one meteor and no explosion (frames %d-%d): %8.1f ns per frame\n",
              kQuietFirstFrame, kQuietFirstFrame + kQuietFrames - 1, quiet);
  return 0;
}
