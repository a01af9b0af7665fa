#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "scene/scene.h"
#include "scene/testing/scene_test_support.h"

namespace {

constexpr int kDrawsPerFragment = 7;
constexpr int kDrawsPerParticle = 13;
constexpr int kDrawsPerExplosion =
    kFragmentsPerExplosion * kDrawsPerFragment + kParticlesPerExplosion * kDrawsPerParticle;

class ExplosionsTest : public ::testing::Test {
 protected:
  // Starts an explosion where a meteor of `size` struck at (x, z), through meteor slot 7.
  void Explode(float x, float z, float size) {
    scene_.meteors[7].x = x;
    scene_.meteors[7].z = z;
    scene_.meteors[7].size = size;
    scene_.StartExplosion(7);
  }

  int UpdatesUntilFragmentsEnd(int slot) {
    int updates = 0;
    while (scene_.fragments[slot][0].active == 1 && updates < 5000) {
      scene_.UpdateFragments();
      ++updates;
    }
    return updates;
  }

  NoCaptureFiles loader_;
  Scene scene_{loader_};
};

TEST_F(ExplosionsTest, StartTakesSevenDrawsPerFragmentAndThirteenPerParticle) {
  ASSERT_EQ(kDrawsPerExplosion, 1475);
  uint64_t finalState = 0;
  const std::vector<int> d = ReferenceDraws(kDrawsPerExplosion, &finalState);
  scene_.explosionActive[0] = 1;
  Explode(-3.5f, 6.25f, 0.7f);

  EXPECT_EQ(scene_.explosionActive[1], 1) << "the first free slot";
  EXPECT_EQ(scene_.random.state(), finalState);
  for (int j = 0; j < kFragmentsPerExplosion; ++j) {
    SCOPED_TRACE(j);
    const DebrisFragment& f = scene_.fragments[1][j];
    const int* r = &d[j * kDrawsPerFragment];
    EXPECT_EQ(f.active, 1);
    EXPECT_EQ(f.centreX, -3.5f);
    EXPECT_EQ(f.centreY, 0.0f);
    EXPECT_EQ(f.centreZ, 6.25f);
    EXPECT_FLOAT_EQ(f.spareX, (r[0] % 10 - r[1] % 10) / 1000.0f);
    EXPECT_FLOAT_EQ(f.spareZ, (r[2] % 10 - r[3] % 10) / 1000.0f);
    EXPECT_EQ(f.angle, static_cast<float>(r[4] % 360));
    EXPECT_FLOAT_EQ(f.spin, (r[5] % 10 - r[6] % 10) / 100.0f);
    EXPECT_EQ(f.radius, 0.0f);
    EXPECT_FLOAT_EQ(f.maximum, 6.6f);
    EXPECT_EQ(f.cornerX[3], 0.0f);
    EXPECT_EQ(f.red, 0.0f);
  }
  for (int j = 0; j < kParticlesPerExplosion; ++j) {
    SCOPED_TRACE(j);
    const Particle& p = scene_.particles[1][j];
    const int* r = &d[kFragmentsPerExplosion * kDrawsPerFragment + j * kDrawsPerParticle];
    EXPECT_EQ(p.active, 1);
    EXPECT_EQ(p.x, -3.5f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.z, 6.25f);
    EXPECT_EQ(p.tilt, static_cast<float>(r[0] % 360));
    EXPECT_EQ(p.turn, static_cast<float>(r[1] % 360));
    EXPECT_EQ(p.tiltSpeed, static_cast<float>(r[2] % 10 - r[3] % 10));
    EXPECT_EQ(p.turnSpeed, static_cast<float>(r[4] % 10 - r[5] % 10));
    EXPECT_FLOAT_EQ(p.width, (r[6] % 10) * 0.04f);
    EXPECT_FLOAT_EQ(p.depth, (r[7] % 10) * 0.04f);
    EXPECT_FLOAT_EQ(p.velocityX, (r[8] % 10 - r[9] % 10) * 0.001f);
    EXPECT_FLOAT_EQ(p.velocityY, (r[10] % 10) * 0.001f);
    EXPECT_FLOAT_EQ(p.velocityZ, (r[11] % 10 - r[12] % 10) * 0.001f);
  }
}

TEST_F(ExplosionsTest, FragmentsLiveMaximumOver0004UpdatesAndTheSlotIsFreedOneUpdateLater) {
  for (const float size : {0.0f, 0.9f}) {
    SCOPED_TRACE(size);
    scene_.explosionActive = {};
    Explode(0.0f, 0.0f, size);
    const double expected = (size * 8.0 + 1.0) / 0.004;  // 250 and 2050
    int updates = 0;
    uint32_t stateBeforeLastUpdate = 0;
    while (scene_.fragments[0][0].active == 1 && updates < 5000) {
      stateBeforeLastUpdate = scene_.random.state();
      scene_.UpdateFragments();
      ++updates;
    }
    EXPECT_NEAR(updates, expected, 1.0);
    for (const DebrisFragment& fragment : scene_.fragments[0]) {
      EXPECT_EQ(fragment.active, 0) << "all fragments end in the same update";
    }
    // Each ending fragment takes two draws nobody sees.
    RandomGenerator afterEnding;
    while (afterEnding.state() != stateBeforeLastUpdate) {
      afterEnding.NextRandom();
    }
    for (int i = 0; i < 2 * kFragmentsPerExplosion; ++i) {
      afterEnding.NextRandom();
    }
    EXPECT_EQ(scene_.random.state(), afterEnding.state());

    EXPECT_EQ(scene_.explosionActive[0], 1);
    scene_.UpdateFragments();
    EXPECT_EQ(scene_.explosionActive[0], 0);
  }
}

TEST_F(ExplosionsTest, AFragmentIsASpinningGrowingFadingSquareThatDrifts) {
  Explode(2.0f, -1.0f, 0.5f);
  DebrisFragment& fragment = scene_.fragments[0][4];
  fragment.angle = 30.0f;
  fragment.spin = 0.05f;
  for (int i = 0; i < 100; ++i) {
    scene_.UpdateFragments();
  }
  const double radius = 0.4;
  EXPECT_NEAR(fragment.radius, radius, 1e-5);
  EXPECT_NEAR(fragment.angle, 35.0, 1e-4);
  // The corners were placed a quarter turn of 1.5705 apart about the centre as it was before
  // this update's drift, which moved it a thousandth of a unit away from corner 0.
  const double a = 35.0 * 3.141 / 180.0;
  const double centreX = fragment.centreX - std::cos(a + 3.141) / 1000.0;
  const double centreZ = fragment.centreZ + std::sin(a + 3.141) / 1000.0;
  for (int k = 0; k < kFragmentCornerCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_NEAR(fragment.cornerX[k], centreX + radius * std::cos(a + k * 1.5705), 2e-5);
    EXPECT_NEAR(fragment.cornerZ[k], centreZ - radius * std::sin(a + k * 1.5705), 2e-5);
    EXPECT_EQ(fragment.cornerY[k], 0.2f);
    const int next = (k + 1) % kFragmentCornerCount;
    EXPECT_NEAR(std::hypot(fragment.cornerX[next] - fragment.cornerX[k],
                           fragment.cornerZ[next] - fragment.cornerZ[k]),
                radius * std::sqrt(2.0), 1e-3)
        << "close to a square";
  }
  // 99 earlier drifts in a direction turning slowly with the angle.
  EXPECT_NEAR(std::hypot(centreX - 2.0, centreZ + 1.0), 0.099, 1e-4);
  // (maximum - radius) / 10 = (5 - 0.4) / 10, fading to black from orange.
  EXPECT_NEAR(fragment.red, 0.46, 1e-5);
  EXPECT_NEAR(fragment.green, 0.23, 1e-5);
  EXPECT_NEAR(fragment.blue, 0.0575, 1e-5);
}

TEST_F(ExplosionsTest, APositiveSpinWrapsAt360AndANegativeOneIsNotWrapped) {
  Explode(0.0f, 0.0f, 0.0f);
  DebrisFragment& turningLeft = scene_.fragments[0][0];
  DebrisFragment& turningRight = scene_.fragments[0][1];
  turningLeft.angle = 359.95f;
  turningLeft.spin = 0.09f;
  turningRight.angle = 0.05f;
  turningRight.spin = -0.09f;
  scene_.UpdateFragments();
  EXPECT_NEAR(turningLeft.angle, 0.04, 1e-4);
  EXPECT_NEAR(turningRight.angle, -0.04, 1e-6);
  for (int i = 0; i < 100; ++i) {
    scene_.UpdateFragments();
  }
  EXPECT_NEAR(turningRight.angle, -9.04, 1e-3);
}

TEST_F(ExplosionsTest, ParticlesRiseAndFallUnderGravityUntilTheyPassBelowTheGround) {
  Explode(1.0f, 1.0f, 0.9f);
  int still = -1, fastest = -1;
  for (int j = 0; j < kParticlesPerExplosion; ++j) {
    const float speed = scene_.particles[0][j].velocityY;
    if (speed == 0.0f && still < 0) {
      still = j;
    }
    if (speed == 0.009f && fastest < 0) {
      fastest = j;
    }
  }
  ASSERT_GE(still, 0) << "the sequence gives no particle without upward speed";
  ASSERT_GE(fastest, 0) << "the sequence gives no particle of the highest speed";
  Particle& resting = scene_.particles[0][still];
  const float tilt = resting.tilt;
  const float tiltSpeed = resting.tiltSpeed;

  scene_.UpdateParticles();
  EXPECT_EQ(resting.active, 1);
  EXPECT_EQ(resting.y, 0.0f);
  EXPECT_FLOAT_EQ(resting.velocityY, -0.00002f);
  scene_.UpdateParticles();
  EXPECT_EQ(resting.active, 0);
  EXPECT_FLOAT_EQ(resting.y, -0.00002f);
  EXPECT_EQ(resting.tilt, tilt + 2 * tiltSpeed) << "the ending update still turns it";
  const float endedAt = resting.y;
  scene_.UpdateParticles();
  EXPECT_EQ(resting.y, endedAt) << "an ended particle stays where it ended";

  // Height after n updates: 0.009 n - 0.00001 n (n - 1), back to 0 after 901 updates.
  int updates = 2;
  while (scene_.particles[0][fastest].active == 1 && updates < 2000) {
    scene_.UpdateParticles();
    ++updates;
  }
  EXPECT_GE(updates, 900);
  EXPECT_LE(updates, 903);
}

TEST_F(ExplosionsTest, WhenTheSlotIsFreedItsParticlesStopWhereTheyAre) {
  Explode(0.0f, 0.0f, 0.0f);  // fragments end after about 250 updates
  while (scene_.explosionActive[0] == 1) {
    scene_.UpdateFragments();
    scene_.UpdateParticles();
  }
  int airborne = 0;
  for (const Particle& particle : scene_.particles[0]) {
    airborne += particle.active == 1 && particle.y > 0.0f ? 1 : 0;
  }
  EXPECT_GT(airborne, kParticlesPerExplosion / 2) << "most vanish in mid-air";
  const ParticleTable before = scene_.particles;
  scene_.UpdateParticles();
  EXPECT_EQ(std::memcmp(&before, &scene_.particles, sizeof before), 0);
}

}  // namespace
