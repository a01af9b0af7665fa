// A picture between two steps: the moving parts of the scene interpolated from one step to the
// next, what appeared or ended taken from the later step.
#include "scene/scene_state.h"

#include <cstddef>

namespace {

constexpr float kFullTurnDegrees = 360.0f;
constexpr float kHalfTurnDegrees = 180.0f;

// Exactly `a` at 0 and exactly `b` at 1, so that the picture at either end is the step's own.
float Blend(float a, float b, float fraction) { return a * (1.0f - fraction) + b * fraction; }

void Blend(const std::array<float, 3>& a, const std::array<float, 3>& b, float fraction,
           std::array<float, 3>& out) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    out[i] = Blend(a[i], b[i], fraction);
  }
}

// The position of a meteor or a particle.
template <typename Moving>
void BlendPosition(const Moving& previous, Moving& blended, float fraction) {
  blended.x = Blend(previous.x, blended.x, fraction);
  blended.y = Blend(previous.y, blended.y, fraction);
  blended.z = Blend(previous.z, blended.z, fraction);
}

// An angle kept between 0 and 360 turns the short way across 360 (a meteor at 359.5 degrees
// turns on to 0.5, not back by 359).
float BlendWrappedDegrees(float a, float b, float fraction) {
  if (fraction == 0.0f) {
    return a;
  }
  if (b - a > kHalfTurnDegrees) {
    a += kFullTurnDegrees;
  } else if (a - b > kHalfTurnDegrees) {
    a -= kFullTurnDegrees;
  }
  return Blend(a, b, fraction);
}

// A slot's meteor is the same one in both steps when it is in the air in both: a meteor starts
// before any meteor moves in a step, so a slot cannot be freed and taken again in one step.
void BlendMeteor(const Meteor& previous, Meteor& blended, float fraction) {
  if (previous.active != 1 || blended.active != 1) {
    return;
  }
  BlendPosition(previous, blended, fraction);
  blended.angle = BlendWrappedDegrees(previous.angle, blended.angle, fraction);
}

// A fragment's square takes its shape in the step after its explosion starts (radius 0 until
// then): the first shaped square is shown as it is.
void BlendFragment(const DebrisFragment& previous, DebrisFragment& blended, float fraction) {
  if (previous.active != 1 || blended.active != 1 || previous.radius == 0.0f) {
    return;
  }
  for (int k = 0; k < kFragmentCornerCount; ++k) {
    blended.cornerX[k] = Blend(previous.cornerX[k], blended.cornerX[k], fraction);
    blended.cornerY[k] = Blend(previous.cornerY[k], blended.cornerY[k], fraction);
    blended.cornerZ[k] = Blend(previous.cornerZ[k], blended.cornerZ[k], fraction);
  }
  blended.red = Blend(previous.red, blended.red, fraction);
  blended.green = Blend(previous.green, blended.green, fraction);
  blended.blue = Blend(previous.blue, blended.blue, fraction);
}

void BlendParticle(const Particle& previous, Particle& blended, float fraction) {
  if (previous.active != 1 || blended.active != 1) {
    return;
  }
  BlendPosition(previous, blended, fraction);
  blended.tilt = Blend(previous.tilt, blended.tilt, fraction);
  blended.turn = Blend(previous.turn, blended.turn, fraction);
}

}  // namespace

void BlendSceneStates(const SceneState& previous, const SceneState& latest, float fraction,
                      SceneState& blended) {
  blended = latest;
  for (int slot = 0; slot < kMeteorCount; ++slot) {
    BlendMeteor(previous.meteors[slot], blended.meteors[slot], fraction);
  }
  for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
    const bool sameExplosion = previous.explosionActive[slot] == 1 &&
                               latest.explosionActive[slot] == 1 &&
                               previous.explosionStarts[slot] == latest.explosionStarts[slot];
    if (!sameExplosion) {
      continue;
    }
    for (int j = 0; j < kFragmentsPerExplosion; ++j) {
      BlendFragment(previous.fragments[slot][j], blended.fragments[slot][j], fraction);
    }
    for (int j = 0; j < kParticlesPerExplosion; ++j) {
      BlendParticle(previous.particles[slot][j], blended.particles[slot][j], fraction);
    }
  }
  // A switch of camera mode is a cut.
  if (previous.cameraMode == latest.cameraMode) {
    Blend(previous.cameraView.eye, latest.cameraView.eye, fraction, blended.cameraView.eye);
    Blend(previous.cameraView.target, latest.cameraView.target, fraction,
          blended.cameraView.target);
  }
}
