// Explosions: starting one where a meteor struck, moving fragments and particles one frame,
// drawing them.
#include <cmath>

#include "scene/scene.h"

namespace {
constexpr int kFullTurn = 360;
constexpr float kFullTurnDegrees = 360.0f;
constexpr int kSmallSpread = 10;  // most draws are 0 to 9, or a difference of two such draws

// Fragments.
constexpr float kSpareDivisor = 1000.0f;
constexpr float kSpinDivisor = 100.0f;  // spins of -0.09 to 0.09 degrees per frame
constexpr float kMaximumPerSize = 8.0f;
constexpr float kMaximumBase = 1.0f;
constexpr float kGrowthPerFrame = 0.004f;
// Degrees become radians with 3.141 for pi, and a quarter turn is 1.5705: the squares' corners
// and drift follow these values, not exact ones.
constexpr double kPi = 3.141;
constexpr double kHalfTurnDegrees = 180.0;
constexpr float kQuarterTurn = 1.5705f;
constexpr float kFragmentHeight = 0.2f;
constexpr float kDriftDivisor = 1000.0f;
// The colour fades linearly to black from about (0.82, 0.41, 0.1) for the largest meteor.
constexpr float kRedDivisor = 10.0f;
constexpr float kGreenShare = 2.0f;
constexpr float kBlueShare = 8.0f;

// Particles.
constexpr float kSideDivisor = 25.0f;  // sides of 0 to 0.36
constexpr float kVelocityDivisor = 1000.0f;
constexpr double kGravityPerFrame = 0.00002;

struct TexturedCorner {
  float s, t;
};
constexpr std::array<TexturedCorner, kFragmentCornerCount> kFragmentTexCoords = {
    {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}};

void StartFragment(DebrisFragment& fragment, float centreX, float centreZ, float meteorSize,
                   RandomGenerator& random) {
  fragment.active = 1;
  fragment.centreX = centreX;
  fragment.centreY = 0.0f;
  fragment.centreZ = centreZ;
  fragment.spareX = static_cast<float>(random.Difference(kSmallSpread)) / kSpareDivisor;
  fragment.spareZ = static_cast<float>(random.Difference(kSmallSpread)) / kSpareDivisor;
  fragment.cornerX = {};
  fragment.cornerY = {};
  fragment.cornerZ = {};
  fragment.angle = static_cast<float>(random.Below(kFullTurn));
  fragment.spin = static_cast<float>(random.Difference(kSmallSpread)) / kSpinDivisor;
  fragment.radius = 0.0f;
  fragment.maximum = meteorSize * kMaximumPerSize + kMaximumBase;
  fragment.red = fragment.green = fragment.blue = 0.0f;
}

void StartParticle(Particle& particle, float x, float z, RandomGenerator& random) {
  particle.active = 1;
  particle.x = x;
  particle.y = 0.0f;
  particle.z = z;
  particle.tilt = static_cast<float>(random.Below(kFullTurn));
  particle.turn = static_cast<float>(random.Below(kFullTurn));
  particle.tiltSpeed = static_cast<float>(random.Difference(kSmallSpread));
  particle.turnSpeed = static_cast<float>(random.Difference(kSmallSpread));
  particle.width = static_cast<float>(random.Below(kSmallSpread)) / kSideDivisor;
  particle.depth = static_cast<float>(random.Below(kSmallSpread)) / kSideDivisor;
  particle.velocityX = static_cast<float>(random.Difference(kSmallSpread)) / kVelocityDivisor;
  particle.velocityY = static_cast<float>(random.Below(kSmallSpread)) / kVelocityDivisor;
  particle.velocityZ = static_cast<float>(random.Difference(kSmallSpread)) / kVelocityDivisor;
}

// One frame of a fragment: spin, growth, the square's corners, drift and colour.
void UpdateFragment(DebrisFragment& fragment, RandomGenerator& random) {
  fragment.angle += fragment.spin;
  if (fragment.angle > kFullTurnDegrees) {
    fragment.angle -= kFullTurnDegrees;
  }
  fragment.radius += kGrowthPerFrame;
  if (fragment.radius > fragment.maximum) {
    fragment.active = 0;
    // Two draws whose values are never used; they keep the random sequence of later
    // meteors and explosions as it has always been. The ended fragment still takes the rest
    // of this update, which no one sees since it is no longer drawn.
    random.Below(kSmallSpread);
    random.Below(kFullTurn);
  }
  float a = static_cast<float>(fragment.angle * kPi / kHalfTurnDegrees);
  const float b = a + 2 * kQuarterTurn;
  for (int k = 0; k < kFragmentCornerCount; ++k) {
    fragment.cornerX[k] = fragment.centreX + fragment.radius * std::cos(a);
    fragment.cornerY[k] = kFragmentHeight;
    fragment.cornerZ[k] = fragment.centreZ - fragment.radius * std::sin(a);
    a += kQuarterTurn;
  }
  // Drift a thousandth of a unit per frame away from corner 0.
  fragment.centreX += std::cos(b) / kDriftDivisor;
  fragment.centreZ -= std::sin(b) / kDriftDivisor;
  const float t = (fragment.maximum - fragment.radius) / kRedDivisor;
  fragment.red = t;
  fragment.green = t / kGreenShare;
  fragment.blue = t / kBlueShare;
}
}  // namespace

void Scene::StartExplosion(int meteorIndex) {
  int slot = 0;
  while (slot < kExplosionSlotCount && explosionActive[slot] != 0) {
    ++slot;
  }
  if (slot == kExplosionSlotCount) {
    return;  // all slots running: this impact makes no explosion
  }
  const Meteor& meteor = meteors[meteorIndex];
  for (DebrisFragment& fragment : fragments[slot]) {
    StartFragment(fragment, meteor.x, meteor.z, meteor.size, random);
  }
  for (Particle& particle : particles[slot]) {
    StartParticle(particle, meteor.x, meteor.z, random);
  }
  explosionActive[slot] = 1;
  ++explosionStarts[slot];
}

void Scene::UpdateFragments() {
  for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
    if (explosionActive[slot] != 1) {
      continue;
    }
    // The slot is freed by the first update that finds all its fragments ended, one update
    // after they ended.
    int count = 0;
    for (DebrisFragment& fragment : fragments[slot]) {
      if (fragment.active == 1) {
        ++count;
        UpdateFragment(fragment, random);
      }
    }
    if (count == 0) {
      explosionActive[slot] = 0;
    }
  }
}

void Scene::UpdateParticles() {
  for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
    if (explosionActive[slot] != 1) {
      continue;
    }
    for (Particle& particle : particles[slot]) {
      if (particle.active != 1) {
        continue;
      }
      particle.x += particle.velocityX;
      particle.y += particle.velocityY;
      particle.z += particle.velocityZ;
      particle.velocityY = static_cast<float>(particle.velocityY - kGravityPerFrame);
      if (particle.y < 0.0f) {
        particle.active = 0;
      }
      particle.tilt += particle.tiltSpeed;
      particle.turn += particle.turnSpeed;
    }
  }
}

void Scene::DrawParticles(const SceneState& state) const {
  // Untextured, and colour material is not enabled: the particles take the default material,
  // lit by light 1. Every quad faces along its own x axis.
  glColor3f(1.0f, 1.0f, 1.0f);
  glNormal3f(1.0f, 0.0f, 0.0f);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
  for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
    if (state.explosionActive[slot] != 1) {
      continue;
    }
    for (const Particle& particle : state.particles[slot]) {
      // A quad with a side of 0 covers nothing.
      if (particle.active != 1 || particle.width == 0.0f || particle.depth == 0.0f) {
        continue;
      }
      const float halfWidth = particle.width / 2;
      const float halfDepth = particle.depth / 2;
      glPushMatrix();
      glTranslatef(particle.x, particle.y, particle.z);
      glRotatef(particle.tilt, 1.0f, 0.0f, 0.0f);
      glRotatef(particle.turn, 0.0f, 0.0f, 1.0f);
      glBegin(GL_QUADS);
      glVertex3f(-halfWidth, 0.0f, -halfDepth);
      glVertex3f(-halfWidth, 0.0f, halfDepth);
      glVertex3f(halfWidth, 0.0f, halfDepth);
      glVertex3f(halfWidth, 0.0f, -halfDepth);
      glEnd();
      glPopMatrix();
    }
  }
  glDisable(GL_LIGHT1);
  glDisable(GL_LIGHTING);
}

void Scene::DrawFragments(const SceneState& state) const {
  // Fragments add their light onto the picture (the blend function is set once by InitScene);
  // they are tested against the depth buffer but leave it as it is.
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, captureTextures[kDebrisTexture]);
  for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
    if (state.explosionActive[slot] != 1) {
      continue;
    }
    for (const DebrisFragment& fragment : state.fragments[slot]) {
      // Before its first update a fragment is a square of size 0; black adds nothing.
      if (fragment.active != 1 || fragment.radius == 0.0f ||
          (fragment.red == 0.0f && fragment.green == 0.0f && fragment.blue == 0.0f)) {
        continue;
      }
      glColor4f(fragment.red, fragment.green, fragment.blue, 1.0f);
      glBegin(GL_QUADS);
      for (int k = 0; k < kFragmentCornerCount; ++k) {
        glTexCoord2f(kFragmentTexCoords[k].s, kFragmentTexCoords[k].t);
        glVertex3f(fragment.cornerX[k], fragment.cornerY[k], fragment.cornerZ[k]);
      }
      glEnd();
    }
  }
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}
