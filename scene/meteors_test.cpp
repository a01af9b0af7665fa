#include <gtest/gtest.h>

#include <cstring>

#include "scene/scene.h"
#include "scene/testing/scene_test_support.h"

namespace {

class MeteorsTest : public ::testing::Test {
 protected:
  // A falling meteor whose next update takes its centre from 0.25 to 0.15.
  static Meteor AboutToStrike(float x, float z, float size) {
    Meteor meteor;
    meteor.active = 1;
    meteor.x = x;
    meteor.y = 0.25f;
    meteor.z = z;
    meteor.stepY = -0.1f;
    meteor.size = size;
    return meteor;
  }

  NoCaptureFiles loader_;
  Scene scene_{loader_};
};

// Draws 1-20 of the generator: 41 18467 6334 26500 19169 15724 11478 29358 26962 24464 | 5705
// 28145 23281 16827 9961 491 2995 11942 4827 5436.
TEST_F(MeteorsTest, FirstMeteorsTakeTheirValuesFromTenDrawsEach) {
  scene_.SpawnMeteor();
  scene_.SpawnMeteor();

  // x = 41 - 67 + 100, z = 34 - 0 + 100, size 9 / 10, target (4 - 8, 0.9 + 0.2, 8 - 2),
  // angle 24464 mod 360.
  const Meteor& first = scene_.meteors[0];
  EXPECT_EQ(first.active, 1);
  EXPECT_EQ(first.x, 74.0f);
  EXPECT_EQ(first.y, 400.0f);
  EXPECT_EQ(first.z, 134.0f);
  EXPECT_EQ(first.size, 0.9f);
  EXPECT_EQ(first.stepX, -78.0f / 1000.0f);
  EXPECT_EQ(first.stepY, (1.1f - 400.0f) / 1000.0f);
  EXPECT_EQ(first.stepZ, -128.0f / 1000.0f);
  EXPECT_EQ(first.angle, 344.0f);

  // x = 5 - 45 + 100, z = 81 - 27 + 100, size 1 / 10, target (1 - 5, 0.1 + 0.2, 2 - 7),
  // angle 5436 mod 360.
  const Meteor& second = scene_.meteors[1];
  EXPECT_EQ(second.active, 1);
  EXPECT_EQ(second.x, 60.0f);
  EXPECT_EQ(second.z, 154.0f);
  EXPECT_EQ(second.size, 0.1f);
  EXPECT_EQ(second.stepX, -64.0f / 1000.0f);
  EXPECT_EQ(second.stepY, (0.3f - 400.0f) / 1000.0f);
  EXPECT_EQ(second.stepZ, -159.0f / 1000.0f);
  EXPECT_EQ(second.angle, 36.0f);

  uint64_t state = 0;
  ReferenceDraws(20, &state);
  EXPECT_EQ(scene_.random.state(), state);
  EXPECT_EQ(scene_.meteors[2].active, 0);
}

TEST_F(MeteorsTest, SpawningWithAllSlotsFallingChangesNothing) {
  for (int i = 0; i < kMeteorCount; ++i) {
    scene_.SpawnMeteor();
  }
  const auto before = scene_.meteors;
  const uint32_t state = scene_.random.state();
  scene_.SpawnMeteor();
  EXPECT_EQ(scene_.random.state(), state);
  EXPECT_EQ(std::memcmp(&before, &scene_.meteors, sizeof before), 0);
}

TEST_F(MeteorsTest, EveryMeteorStrikesBetween1000And1003FramesAfterItStarted) {
  int earliest = 2000, latest = 0;
  for (int meteor = 0; meteor < 300; ++meteor) {
    scene_.SpawnMeteor();
    const float size = scene_.meteors[0].size;
    int frames = 0;
    while (scene_.meteors[0].active == 1 && frames < 2000) {
      scene_.UpdateMeteors();
      ++frames;
    }
    ASSERT_GE(frames, 1000) << "meteor " << meteor << " of size " << size;
    ASSERT_LE(frames, 1003) << "meteor " << meteor << " of size " << size;
    earliest = std::min(earliest, frames);
    latest = std::max(latest, frames);
    // Every impact started an explosion; free the slots for the next ones.
    ASSERT_EQ(scene_.explosionActive[0], 1);
    scene_.explosionActive = {};
  }
  EXPECT_LE(earliest, 1001);
  EXPECT_EQ(latest, 1003);
}

TEST_F(MeteorsTest, SpinStaysWithinOneTurn) {
  scene_.SpawnMeteor();
  Meteor& meteor = scene_.meteors[0];
  meteor.angle = 359.0f;
  scene_.UpdateMeteors();
  EXPECT_EQ(meteor.angle, 360.0f);
  scene_.UpdateMeteors();
  EXPECT_EQ(meteor.angle, 1.0f);
}

TEST_F(MeteorsTest, ASizeZeroMeteorStrikesAndExplodesLikeAnyOther) {
  scene_.meteors[0] = AboutToStrike(1.0f, 2.0f, 0.0f);
  scene_.UpdateMeteors();
  EXPECT_EQ(scene_.meteors[0].active, 0);
  EXPECT_EQ(scene_.explosionActive[0], 1);
  EXPECT_EQ(scene_.fragments[0][24].maximum, 1.0f);
}

TEST_F(MeteorsTest, WithAllExplosionSlotsRunningAnImpactOnlyRemovesTheMeteor) {
  scene_.explosionActive.fill(1);
  scene_.meteors[0] = AboutToStrike(3.0f, 4.0f, 0.5f);
  const uint32_t state = scene_.random.state();
  scene_.UpdateMeteors();
  EXPECT_EQ(scene_.meteors[0].active, 0);
  EXPECT_EQ(scene_.random.state(), state) << "no fragment or particle was started";
  for (const auto& slot : scene_.fragments) {
    EXPECT_EQ(slot[0].active, 0);
  }
}

TEST_F(MeteorsTest, OfTwoMeteorsStrikingInOneFrameTheHigherSlotWaitsAFrame) {
  scene_.meteors[2] = AboutToStrike(1.0f, 1.0f, 0.3f);
  scene_.meteors[5] = AboutToStrike(-6.0f, 2.0f, 0.6f);
  scene_.meteors[5].angle = 10.0f;
  scene_.meteors[6] = AboutToStrike(5.0f, 5.0f, 0.2f);
  scene_.meteors[6].y = 100.0f;

  scene_.UpdateMeteors();
  EXPECT_EQ(scene_.meteors[2].active, 0);
  EXPECT_EQ(scene_.meteors[5].active, 1);
  EXPECT_EQ(scene_.meteors[5].y, 0.25f) << "not moved in the frame slot 2 struck";
  EXPECT_EQ(scene_.meteors[5].angle, 10.0f);
  EXPECT_EQ(scene_.meteors[6].y, 100.0f);
  EXPECT_EQ(scene_.explosionActive[0], 1);
  EXPECT_EQ(scene_.explosionActive[1], 0);
  EXPECT_EQ(scene_.fragments[0][0].centreX, 1.0f);

  scene_.UpdateMeteors();
  EXPECT_EQ(scene_.meteors[5].active, 0);
  EXPECT_EQ(scene_.meteors[5].angle, 11.0f);
  EXPECT_EQ(scene_.explosionActive[1], 1);
  EXPECT_EQ(scene_.fragments[1][0].centreX, -6.0f);
  EXPECT_EQ(scene_.fragments[1][0].maximum, 0.6f * 8 + 1);
  EXPECT_EQ(scene_.meteors[6].y, 100.0f) << "waits as long as lower slots strike";

  scene_.UpdateMeteors();
  EXPECT_FLOAT_EQ(scene_.meteors[6].y, 99.9f);
}

}  // namespace
