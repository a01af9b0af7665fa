#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "scene/scene.h"
#include "scene/testing/scene_test_support.h"

namespace {

bool SameBytes(const SceneState& a, const SceneState& b) {
  return std::memcmp(&a, &b, sizeof(SceneState)) == 0;
}

// A scene stepped from its reset, keeping the state before its latest step.
class SceneBlendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_.ResetScene();
    previous_ = scene_;
  }

  void StepTo(int frame) {
    for (; frame_ < frame; ++frame_) {
      previous_ = scene_;
      scene_.Advance(1);
    }
  }

  const SceneState& Blended(float fraction) {
    BlendSceneStates(previous_, scene_, fraction, *blended_);
    return *blended_;
  }

  NoCaptureFiles loader_;
  Scene scene_{loader_};
  SceneState previous_;
  std::unique_ptr<SceneState> blended_ = std::make_unique<SceneState>();
  int frame_ = 0;
};

// Over two cycles, through impacts, explosions starting and ending and the camera's switches:
// fraction 1 is the latest step to the last bit, and fraction 0 the step before wherever
// nothing started or ended.
TEST_F(SceneBlendTest, FractionOneIsTheLatestStepAndFractionZeroTheOneBefore) {
  int comparedAtZero = 0;
  for (int frame = 1; frame <= 2 * kCycleFrames + 700; ++frame) {
    StepTo(frame);
    ASSERT_TRUE(SameBytes(Blended(1.0f), scene_)) << frame;
    const SceneState& atZero = Blended(0.0f);
    if (previous_.cameraMode == scene_.cameraMode) {
      ASSERT_EQ(atZero.cameraView.eye, previous_.cameraView.eye) << frame;
      ASSERT_EQ(atZero.cameraView.target, previous_.cameraView.target) << frame;
    }
    for (int slot = 0; slot < kMeteorCount; ++slot) {
      const Meteor& before = previous_.meteors[slot];
      const Meteor& drawn = atZero.meteors[slot];
      if (before.active == 1 && scene_.meteors[slot].active == 1) {
        ASSERT_EQ(drawn.x, before.x) << frame;
        ASSERT_EQ(drawn.y, before.y) << frame;
        ASSERT_EQ(drawn.angle, before.angle) << frame;
        ++comparedAtZero;
      }
    }
    for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
      for (int j = 0; j < kParticlesPerExplosion; ++j) {
        const Particle& before = previous_.particles[slot][j];
        if (previous_.explosionActive[slot] == 1 && scene_.explosionActive[slot] == 1 &&
            before.active == 1 && scene_.particles[slot][j].active == 1) {
          ASSERT_EQ(atZero.particles[slot][j].y, before.y) << frame;
          ASSERT_EQ(atZero.particles[slot][j].turn, before.turn) << frame;
        }
      }
      for (int j = 0; j < kFragmentsPerExplosion; ++j) {
        const DebrisFragment& before = previous_.fragments[slot][j];
        if (previous_.explosionActive[slot] == 1 && before.active == 1 && before.radius > 0 &&
            scene_.fragments[slot][j].active == 1) {
          ASSERT_EQ(atZero.fragments[slot][j].cornerX, before.cornerX) << frame;
          ASSERT_EQ(atZero.fragments[slot][j].red, before.red) << frame;
        }
      }
    }
  }
  EXPECT_GT(comparedAtZero, 2000);
}

TEST_F(SceneBlendTest, HalfWayEverythingThatMovesIsHalfWay) {
  StepTo(1100);  // the first explosion runs, its particles in the air
  ASSERT_EQ(scene_.explosionActive[0], 1);
  const SceneState& half = Blended(0.5f);
  const auto between = [](float a, float b) { return (a + b) / 2; };

  const Particle& p0 = previous_.particles[0][0];
  const Particle& p1 = scene_.particles[0][0];
  ASSERT_EQ(p1.active, 1);
  EXPECT_FLOAT_EQ(half.particles[0][0].y, between(p0.y, p1.y));
  EXPECT_FLOAT_EQ(half.particles[0][0].x, between(p0.x, p1.x));
  EXPECT_FLOAT_EQ(half.particles[0][0].tilt, between(p0.tilt, p1.tilt));

  const DebrisFragment& f0 = previous_.fragments[0][3];
  const DebrisFragment& f1 = scene_.fragments[0][3];
  for (int k = 0; k < kFragmentCornerCount; ++k) {
    EXPECT_FLOAT_EQ(half.fragments[0][3].cornerX[k], between(f0.cornerX[k], f1.cornerX[k]));
    EXPECT_FLOAT_EQ(half.fragments[0][3].cornerZ[k], between(f0.cornerZ[k], f1.cornerZ[k]));
  }
  EXPECT_FLOAT_EQ(half.fragments[0][3].red, between(f0.red, f1.red));
  EXPECT_LT(half.fragments[0][3].red, f0.red) << "the colour fades on";

  // The camera rides above the struck meteor: it stands still. Later it watches a falling one.
  EXPECT_EQ(half.cameraView.eye, scene_.cameraView.eye);
  StepTo(1500);
  const SceneState& watching = Blended(0.25f);
  const float expectedY =
      previous_.cameraView.target[1] * 0.75f + scene_.cameraView.target[1] * 0.25f;
  EXPECT_FLOAT_EQ(watching.cameraView.target[1], expectedY);
  EXPECT_LT(watching.cameraView.target[1], previous_.cameraView.target[1]);
  EXPECT_GT(watching.cameraView.target[1], scene_.cameraView.target[1]);
  const Meteor& m0 = previous_.meteors[0];
  const Meteor& m1 = scene_.meteors[0];
  EXPECT_FLOAT_EQ(watching.meteors[0].y, m0.y * 0.75f + m1.y * 0.25f);
  EXPECT_FLOAT_EQ(watching.meteors[0].angle, m0.angle + 0.25f);
}

TEST_F(SceneBlendTest, AMeteorTurnsTheShortWayAcross360Degrees) {
  // The same turn, whatever multiple of 360 degrees it is written with.
  const auto turn = [](float degrees) { return std::fmod(degrees + 720.0f, 360.0f); };
  StepTo(10);
  previous_.meteors[0].angle = 359.5f;
  scene_.meteors[0].angle = 0.5f;
  EXPECT_NEAR(turn(Blended(0.25f).meteors[0].angle), 359.75f, 1e-4f);
  EXPECT_NEAR(turn(Blended(0.75f).meteors[0].angle), 0.25f, 1e-4f);
  EXPECT_EQ(Blended(0.0f).meteors[0].angle, 359.5f);
  EXPECT_EQ(Blended(1.0f).meteors[0].angle, 0.5f);
  // And back the other way, should an angle ever fall.
  std::swap(previous_.meteors[0].angle, scene_.meteors[0].angle);
  EXPECT_NEAR(turn(Blended(0.25f).meteors[0].angle), 0.25f, 1e-4f);
}

TEST_F(SceneBlendTest, WhatStartsOrEndsInAStepIsShownAsTheStepLeftIt) {
  // The first meteor strikes: it is gone at once, and the explosion's particles are at the
  // impact point, its fragments not yet shaped.
  while (scene_.explosionActive[0] == 0) {
    StepTo(frame_ + 1);
  }
  const SceneState& impact = Blended(0.5f);
  EXPECT_EQ(impact.meteors[0].active, 0);
  EXPECT_EQ(impact.particles[0][5].x, scene_.particles[0][5].x);
  EXPECT_EQ(impact.particles[0][5].y, 0.0f);
  // Next step the fragments take their first shape: shown as it is, not grown from the origin.
  StepTo(frame_ + 1);
  const SceneState& shaped = Blended(0.5f);
  EXPECT_EQ(shaped.fragments[0][0].cornerX, scene_.fragments[0][0].cornerX);
  EXPECT_EQ(shaped.fragments[0][0].red, scene_.fragments[0][0].red);
  EXPECT_NE(shaped.particles[0][5].y, scene_.particles[0][5].y) << "particles move on";

  // The cycle starts a meteor and switches the camera: both are cuts.
  StepTo(kCycleFrames);
  const SceneState& cut = Blended(0.5f);
  EXPECT_EQ(cut.meteors[0].y, scene_.meteors[0].y);
  EXPECT_GT(cut.meteors[0].y, 399.0f) << "where it started, one step down";
  EXPECT_EQ(cut.cameraView.eye, scene_.cameraView.eye);
  EXPECT_EQ(cut.cameraView.target, scene_.cameraView.target);
}

TEST_F(SceneBlendTest, ASlotThatEndedAndStartedAgainInOneStepIsNotInterpolated) {
  scene_.meteors[7] = Meteor{1, 5.0f, 0.1f, -5.0f, 0, 0, 0, 0.5f, 0};
  scene_.StartExplosion(7);
  previous_ = scene_;
  for (Particle& particle : previous_.particles[0]) {
    particle.x += 3.0f;  // where the old explosion's particles were
  }
  scene_.meteors[7].x = -7.0f;
  scene_.explosionActive[0] = 0;  // the old explosion ends, the new one takes its slot
  scene_.StartExplosion(7);
  ASSERT_EQ(scene_.explosionActive[0], 1);
  EXPECT_EQ(Blended(0.5f).particles[0][9].x, -7.0f);
  EXPECT_EQ(Blended(0.5f).particles[0][9].y, 0.0f);
}

}  // namespace
