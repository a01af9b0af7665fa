// A whole frame drawn by Mesa's llvmpipe offscreen at 1024 x 768 with two explosions running,
// next to an empty frame (clear only) in the same run: the ratio is what the scene costs above
// the bare minimum. With --memory N: resident memory after 1,000 frames and at every tenth of N
// frames, to show that a long run does not grow; drawn at the preview's 152 x 112, since the size
// changes the time a frame takes, not what the scene holds.
//
//   scene-render-bench
//   scene-render-bench --memory 100000

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "scene/projection.h"
#include "scene/testing/offscreen_gl_test_context.h"
#include "tools/mesa_leak_suppressions.h"
#include "tools/scene_bench_support.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kMemoryWidth = 152;
constexpr int kMemoryHeight = 112;
constexpr double kMinSeconds = 3.0;
constexpr long kEarlyFrames = 1000;
constexpr long kMemoryReports = 10;  // after the early frames, ten more over the run

// Pictures of the sizes the host writes, with some detail so that texturing does real work.
class SyntheticCaptures final : public CaptureImageLoader {
 public:
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override {
    if (role == kGroundTexture) {
      return Picture(kWidth, kHeight);
    }
    const int side = role == kDebrisTexture ? 128 : 256;
    return Picture(side, side);
  }

 private:
  static RgbImage Picture(int width, int height) {
    RgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        image.pixels.push_back(static_cast<uint8_t>(x * 255 / width));
        image.pixels.push_back(static_cast<uint8_t>(y * 255 / height));
        image.pixels.push_back(static_cast<uint8_t>((x ^ y) & 0xFF));
      }
    }
    return image;
  }
};

template <typename Draw>
double MillisecondsPerFrame(Draw&& draw, long frames) {
  const BenchClock::time_point start = BenchClock::now();
  for (long i = 0; i < frames; ++i) {
    draw();
    glFinish();
  }
  return SecondsSince(start) * 1e3 / static_cast<double>(frames);
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::strtol(line.c_str() + 6, nullptr, 10);
    }
  }
  return -1;
}

int FrameTimes(Scene& scene) {
  const FrameWindow window = TwoExplosionWindow();
  if (window.length == 0) {
    std::fprintf(stderr, "scene-render-bench: the sequence never runs two explosions at once\n");
    return 1;
  }
  // Warm up both kinds of frame, then alternate measurements so both see the same machine.
  double empty = 0, full = 0;
  long emptyFrames = 0, fullFrames = 0;
  const BenchClock::time_point start = BenchClock::now();
  while (SecondsSince(start) < 2 * kMinSeconds || fullFrames == 0) {
    StepToFrameBefore(scene, window.first);
    full += MillisecondsPerFrame(
                [&] {
                  scene.Advance(1);
                  scene.RenderFrame(1.0f);
                },
                window.length) *
            window.length;
    fullFrames += window.length;
    empty += MillisecondsPerFrame([] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); },
                                  window.length) *
             window.length;
    emptyFrames += window.length;
  }
  const double fullMs = full / static_cast<double>(fullFrames);
  const double emptyMs = empty / static_cast<double>(emptyFrames);
  std::printf("%d x %d, Mesa llvmpipe (OSMesa), frames %d-%d with two explosions\n", kWidth,
              kHeight, window.first, window.first + window.length - 1);
  std::printf("empty frame (clear only): %8.3f ms\n", emptyMs);
  std::printf("full frame:               %8.3f ms\n", fullMs);
  std::printf("ratio full / empty:       %8.1f\n", fullMs / emptyMs);
  return 0;
}

int Memory(Scene& scene, long frames) {
  scene.ResetScene();
  for (long frame = 1; frame <= frames; ++frame) {
    scene.Advance(1);
    scene.RenderFrame(1.0f);
    glFinish();
    if (frame == kEarlyFrames || frame % (frames / kMemoryReports) == 0) {
      std::printf("%d x %d, resident memory after %7ld frames: %8ld kB\n", kMemoryWidth,
                  kMemoryHeight, frame, ResidentKilobytes());
      std::fflush(stdout);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  long memoryFrames = 0;
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
    memoryFrames = std::strtol(argv[2], nullptr, 10);
  }
  if (argc != 1 && memoryFrames < kEarlyFrames * kMemoryReports) {
    std::fprintf(stderr, "usage: scene-render-bench [--memory FRAMES]  (FRAMES >= %ld)\n",
                 kEarlyFrames * kMemoryReports);
    return 2;
  }
  const int width = memoryFrames > 0 ? kMemoryWidth : kWidth;
  const int height = memoryFrames > 0 ? kMemoryHeight : kHeight;
  OffscreenGlTestContext gl(width, height);
  if (!gl.current()) {
    std::fprintf(stderr, "scene-render-bench: no offscreen Mesa context\n");
    return 1;
  }
  SetProjection(width, height);
  SyntheticCaptures captures;
  Scene scene(captures);
  if (!scene.InitScene()) {
    return 1;
  }
  return memoryFrames > 0 ? Memory(scene, memoryFrames) : FrameTimes(scene);
}
