// scene-trace F1 F2 ...: steps the scene from its reset, without OpenGL or capture files, and
// prints the whole simulation state after each requested number of frames (ascending; 0 is the
// state right after the reset). Floats are printed with %.9g, which gives every float back
// exactly.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "renderer/no_capture_files.h"
#include "renderer/scene.h"

namespace {

void PrintFrame(const Scene& scene, long frame) {
  const CameraView& view = scene.cameraView;
  std::printf("frame %ld cycle %d camera %d eye %.9g %.9g %.9g at %.9g %.9g %.9g\n", frame,
              scene.cycleCounter, scene.cameraMode, view.eye[0], view.eye[1], view.eye[2],
              view.target[0], view.target[1], view.target[2]);
  for (int s = 0; s < kMeteorCount; ++s) {
    const Meteor& m = scene.meteors[s];
    std::printf("meteor %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s, m.active, m.x, m.y,
                m.z, m.stepX, m.stepY, m.stepZ, m.size, m.angle);
  }
  for (int s = 0; s < kExplosionSlotCount; ++s) {
    std::printf("explosion %d %d\n", s, scene.explosionActive[s]);
  }
  for (int s = 0; s < kExplosionSlotCount; ++s) {
    if (scene.explosionActive[s] != 1) {
      continue;
    }
    for (int j = 0; j < kFragmentsPerExplosion; ++j) {
      const DebrisFragment& f = scene.fragments[s][j];
      std::printf("fragment %d %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s,
                  j, f.active, f.centreX, f.centreZ, f.angle, f.spin, f.radius, f.maximum, f.red,
                  f.green, f.blue, f.cornerX[0], f.cornerZ[0]);
    }
    for (int j = 0; j < kParticlesPerExplosion; ++j) {
      const Particle& p = scene.particles[s][j];
      std::printf("particle %d %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s, j,
                  p.active, p.x, p.y, p.z, p.velocityX, p.velocityY, p.velocityZ, p.width, p.depth,
                  p.tilt, p.turn);
    }
  }
  std::printf("rng %u\n", static_cast<unsigned>(scene.random.state()));
}

std::optional<long> ParseFrame(const char* text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno != 0 || value < 0) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> frames;
  for (int i = 1; i < argc; ++i) {
    const std::optional<long> frame = ParseFrame(argv[i]);
    if (!frame || (!frames.empty() && *frame < frames.back())) {
      std::fprintf(stderr, "usage: scene-trace F1 F2 ...  (frame numbers >= 0, ascending)\n");
      return 2;
    }
    frames.push_back(*frame);
  }

  NoCaptureFiles loader;
  Scene scene(loader);
  scene.ResetScene();
  long stepped = 0;
  for (const long frame : frames) {
    for (; stepped < frame; ++stepped) {
      scene.StepFrame();
    }
    PrintFrame(scene, frame);
  }
  return 0;
}
