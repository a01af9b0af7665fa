#pragma once

#include <array>

inline constexpr int kExplosionSlotCount = 8;
inline constexpr int kFragmentsPerExplosion = 25;
inline constexpr int kParticlesPerExplosion = 100;
inline constexpr int kFragmentCornerCount = 4;

// A debris fragment: a textured square lying flat just above the ground that spins, grows, drifts
// and fades from orange to black, its light added onto the picture.
struct DebrisFragment {
  int active = 0;  // 1 while the fragment is shown
  float centreX = 0, centreY = 0, centreZ = 0;
  float spareX = 0, spareZ = 0;  // drawn at start to keep the random sequence; nothing reads them
  std::array<float, kFragmentCornerCount> cornerX{}, cornerY{}, cornerZ{};
  float angle = 0;    // rotation about the vertical axis, degrees
  float spin = 0;     // degrees per frame
  float radius = 0;   // distance of the corners from the centre
  float maximum = 0;  // the radius at which the fragment ends
  float red = 0, green = 0, blue = 0;
};

// A particle: a small lit quad thrown up from the impact point, tumbling and falling back.
struct Particle {
  int active = 0;  // 1 while the particle is in the air
  float x = 0, y = 0, z = 0;
  float velocityX = 0, velocityY = 0, velocityZ = 0;  // movement per frame
  float width = 0, depth = 0;
  float tilt = 0, turn = 0;            // rotations about the x and z axes, degrees
  float tiltSpeed = 0, turnSpeed = 0;  // degrees per frame
};

using FragmentTable =
    std::array<std::array<DebrisFragment, kFragmentsPerExplosion>, kExplosionSlotCount>;
using ParticleTable = std::array<std::array<Particle, kParticlesPerExplosion>, kExplosionSlotCount>;
