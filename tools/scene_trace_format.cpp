#include "tools/scene_trace_format.h"

#include "scene/scene.h"

void PrintSceneState(std::FILE* out, const Scene& scene, long frame) {
  const CameraView& view = scene.cameraView;
  std::fprintf(out, "frame %ld cycle %d camera %d eye %.9g %.9g %.9g at %.9g %.9g %.9g\n", frame,
               scene.cycleCounter, scene.cameraMode, view.eye[0], view.eye[1], view.eye[2],
               view.target[0], view.target[1], view.target[2]);
  for (int s = 0; s < kMeteorCount; ++s) {
    const Meteor& m = scene.meteors[s];
    std::fprintf(out, "meteor %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s, m.active, m.x,
                 m.y, m.z, m.stepX, m.stepY, m.stepZ, m.size, m.angle);
  }
  for (int s = 0; s < kExplosionSlotCount; ++s) {
    std::fprintf(out, "explosion %d %d\n", s, scene.explosionActive[s]);
  }
  for (int s = 0; s < kExplosionSlotCount; ++s) {
    if (scene.explosionActive[s] != 1) {
      continue;
    }
    for (int j = 0; j < kFragmentsPerExplosion; ++j) {
      const DebrisFragment& f = scene.fragments[s][j];
      std::fprintf(out,
                   "fragment %d %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s,
                   j, f.active, f.centreX, f.centreZ, f.angle, f.spin, f.radius, f.maximum, f.red,
                   f.green, f.blue, f.cornerX[0], f.cornerZ[0]);
    }
    for (int j = 0; j < kParticlesPerExplosion; ++j) {
      const Particle& p = scene.particles[s][j];
      std::fprintf(out, "particle %d %d %d %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s,
                   j, p.active, p.x, p.y, p.z, p.velocityX, p.velocityY, p.velocityZ, p.width,
                   p.depth, p.tilt, p.turn);
    }
  }
  std::fprintf(out, "rng %u\n", static_cast<unsigned>(scene.random.state()));
}
