#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "scene/scene.h"
#include "scene/testing/scene_test_support.h"

namespace {

using Point = std::array<float, 3>;

Point PositionOf(const Meteor& meteor) { return {meteor.x, meteor.y, meteor.z}; }

class CameraCycleTest : public ::testing::Test {
 protected:
  void SetUp() override { scene_.ResetScene(); }

  void StepTo(int frame) {
    scene_.Advance(frame - frame_);
    frame_ = std::max(frame_, frame);
  }

  NoCaptureFiles loader_;
  Scene scene_{loader_};
  int frame_ = 0;
};

TEST_F(CameraCycleTest, ResetStartsOneMeteorInSlot0WithTheCameraRidingAboveIt) {
  scene_.explosionActive.fill(1);
  scene_.meteors[4].active = 1;
  scene_.ResetScene();
  EXPECT_EQ(scene_.explosionActive, (std::array<int, kExplosionSlotCount>{}));
  EXPECT_EQ(scene_.meteors[0].active, 1);
  EXPECT_EQ(scene_.meteors[0].y, 400.0f);
  for (int slot = 1; slot < kMeteorCount; ++slot) {
    EXPECT_EQ(scene_.meteors[slot].active, 0) << slot;
  }
  EXPECT_EQ(scene_.cameraMode, kCameraRide);
  EXPECT_EQ(scene_.cycleCounter, 0);
  const Meteor& meteor = scene_.meteors[0];
  EXPECT_EQ(scene_.cameraView.eye, (Point{meteor.x, 420.0f, meteor.z}));
  EXPECT_EQ(scene_.cameraView.target, (Point{0.0f, 0.0f, 0.0f}));
}

TEST_F(CameraCycleTest, CameraAlternatesEvery1400FramesAndANewMeteorStartsEachTime) {
  StepTo(1399);
  EXPECT_EQ(scene_.cycleCounter, 1399);
  EXPECT_EQ(scene_.cameraMode, kCameraRide);
  EXPECT_EQ(scene_.meteors[0].active, 0) << "the first meteor struck at about frame 1000";
  const Point struck = PositionOf(scene_.meteors[0]);
  EXPECT_EQ(scene_.cameraView.eye, (Point{struck[0], struck[1] + 20.0f, struck[2]}))
      << "the camera stays above the impact point";

  StepTo(1400);
  EXPECT_EQ(scene_.cycleCounter, 0);
  EXPECT_EQ(scene_.cameraMode, kCameraWatch);
  EXPECT_EQ(scene_.meteors[0].active, 1);
  EXPECT_EQ(scene_.meteors[1].active, 0);
  // The view is chosen after the new meteor started and before it moved.
  EXPECT_EQ(scene_.cameraView.eye, (Point{40.0f, 40.0f, 40.0f}));
  EXPECT_EQ(scene_.cameraView.target[1], 400.0f);
  const Point before = PositionOf(scene_.meteors[0]);
  StepTo(1401);
  EXPECT_EQ(scene_.cameraView.target, before);

  StepTo(2799);
  EXPECT_EQ(scene_.cameraMode, kCameraWatch);
  StepTo(2800);
  EXPECT_EQ(scene_.cameraMode, kCameraRide);
  EXPECT_EQ(scene_.cycleCounter, 0);
  EXPECT_EQ(scene_.cameraView.target, (Point{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(scene_.cameraView.eye[1], 420.0f);
  StepTo(4200);
  EXPECT_EQ(scene_.cameraMode, kCameraWatch);
}

TEST_F(CameraCycleTest, CameraFollowsSlot0EvenWhileANewerMeteorFallsInAnotherSlot) {
  StepTo(1399);
  Meteor& lingering = scene_.meteors[0];
  lingering.active = 1;
  lingering.x = 5.0f;
  lingering.y = 300.0f;
  lingering.z = -5.0f;
  lingering.stepX = lingering.stepZ = 0.0f;
  lingering.stepY = -0.5f;
  StepTo(1400);
  ASSERT_EQ(scene_.meteors[1].active, 1) << "the new meteor had to take slot 1";
  EXPECT_EQ(scene_.cameraView.target, (Point{5.0f, 300.0f, -5.0f}));
  StepTo(1401);
  EXPECT_EQ(scene_.cameraView.target, (Point{5.0f, 299.5f, -5.0f}));
}

TEST_F(CameraCycleTest, AnExplosionShowsItsParticlesAtOnceAndItsFragmentsFromTheNextFrame) {
  while (scene_.explosionActive[0] == 0 && frame_ < 1100) {
    StepTo(frame_ + 1);
  }
  ASSERT_EQ(scene_.explosionActive[0], 1);
  EXPECT_GE(frame_, 1000);
  EXPECT_LE(frame_, 1003);
  const Meteor& meteor = scene_.meteors[0];
  EXPECT_EQ(scene_.particles[0][0].x, meteor.x);
  EXPECT_EQ(scene_.particles[0][0].y, 0.0f);
  EXPECT_EQ(scene_.fragments[0][0].radius, 0.0f);
  EXPECT_EQ(scene_.fragments[0][0].cornerX, (std::array<float, 4>{}));
  StepTo(frame_ + 1);
  EXPECT_GT(scene_.fragments[0][0].radius, 0.0f);
  EXPECT_NE(scene_.fragments[0][0].cornerX[0], 0.0f);
}

// Over a long run the cycle never needs more than two explosion slots, and two scenes play
// exactly the same sequence.
TEST_F(CameraCycleTest, EveryRunPlaysTheSameSceneWithAtMostTwoExplosionsAtOnce) {
  NoCaptureFiles otherLoader;
  Scene other(otherLoader);
  other.ResetScene();
  int mostAtOnce = 0;
  for (int frame = 1; frame <= 30000; ++frame) {
    scene_.Advance(1);
    other.Advance(1);
    int running = 0;
    for (const int flag : scene_.explosionActive) {
      running += flag;
    }
    mostAtOnce = std::max(mostAtOnce, running);
  }
  EXPECT_EQ(mostAtOnce, 2);
  EXPECT_EQ(scene_.random.state(), other.random.state());
  EXPECT_EQ(std::memcmp(&scene_.meteors, &other.meteors, sizeof scene_.meteors), 0);
  EXPECT_EQ(std::memcmp(&scene_.fragments, &other.fragments, sizeof scene_.fragments), 0);
  EXPECT_EQ(std::memcmp(&scene_.particles, &other.particles, sizeof scene_.particles), 0);
}

}  // namespace
