// The scene drawn by Mesa offscreen, looked at as a person would: which colours show where.
// Each capture file is a picture of one flat colour, so a pixel tells which surface it shows.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>

#include "scene/projection.h"
#include "scene/scene.h"
#include "scene/testing/offscreen_gl_test_context.h"

namespace {

using Rgb = std::array<int, 3>;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kTolerance = 4;

constexpr Rgb kDebris = {10, 10, 10};  // dim, so 25 overlapping fragments do not saturate
constexpr Rgb kGround = {50, 50, 50};
constexpr Rgb kSky = {20, 20, 120};
constexpr Rgb kMeteor = {30, 180, 30};
constexpr Rgb kWhite = {255, 255, 255};

class SolidColourCaptures final : public CaptureImageLoader {
 public:
  std::map<CaptureRole, Rgb> colours;

  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override {
    const auto found = colours.find(role);
    if (found == colours.end()) {
      return std::nullopt;
    }
    constexpr int kSide = 8;
    RgbImage image{kSide, kSide, {}};
    for (int i = 0; i < kSide * kSide; ++i) {
      for (const int channel : found->second) {
        image.pixels.push_back(static_cast<uint8_t>(channel));
      }
    }
    return image;
  }
};

::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected) {
  for (int c = 0; c < 3; ++c) {
    if (std::abs(actual[c] - expected[c]) > kTolerance) {
      return ::testing::AssertionFailure()
             << "(" << actual[0] << ", " << actual[1] << ", " << actual[2] << ") instead of ("
             << expected[0] << ", " << expected[1] << ", " << expected[2] << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

class ScenePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    captures_.colours = {{kDebrisTexture, kDebris},
                         {kGroundTexture, kGround},
                         {kSkyTexture, kSky},
                         {kMeteorTexture, kMeteor}};
  }

  // Sets up the context and the scene as the renderer's window does.
  void Open() {
    ASSERT_TRUE(gl_.current());
    SetProjection(kWidth, kHeight);
    ASSERT_TRUE(scene_.InitScene());
  }

  // Steps to the frame before `frame` and draws `frame`.
  void DrawFrame(int frame) {
    scene_.Advance(frame - frame_);
    scene_.RenderFrame(1.0f);
    frame_ = frame;
    glFinish();
  }

  static Rgb PixelAt(int x, int y) {
    std::array<unsigned char, 4> rgba{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return {rgba[0], rgba[1], rgba[2]};
  }

  // Where a world point lands in the window under the current camera.
  static std::array<double, 3> Project(float x, float y, float z) {
    std::array<double, 16> modelView{}, projection{};
    std::array<GLint, 4> viewport{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::array<double, 3> window{};
    gluProject(x, y, z, modelView.data(), projection.data(), viewport.data(), &window[0],
               &window[1], &window[2]);
    return window;
  }

  OffscreenGlTestContext gl_{kWidth, kHeight};
  SolidColourCaptures captures_;
  Scene scene_{captures_};
  int frame_ = 0;
};

TEST_F(ScenePictureTest, FirstFrameShowsTheGroundInTheMiddleOfTheSkyAndTheMeteorBelowTheEye) {
  Open();
  DrawFrame(1);
  // The camera rides 20 units above the meteor and looks at the middle of the ground.
  EXPECT_TRUE(Near(PixelAt(kWidth / 2, kHeight / 2), kGround));
  EXPECT_TRUE(Near(PixelAt(1, 1), kSky));
  EXPECT_TRUE(Near(PixelAt(kWidth - 2, kHeight - 2), kSky));
  EXPECT_TRUE(Near(PixelAt(kWidth / 2, kHeight - 2), kSky));
  const Meteor& meteor = scene_.meteors[0];
  const auto at = Project(meteor.x, meteor.y, meteor.z);
  ASSERT_GT(at[1], 0.0);
  EXPECT_TRUE(Near(PixelAt(static_cast<int>(at[0]), static_cast<int>(at[1])), kMeteor));
}

TEST_F(ScenePictureTest, MissingGroundAndSkyPicturesShowPlainWhite) {
  captures_.colours.erase(kGroundTexture);
  captures_.colours.erase(kSkyTexture);
  Open();
  DrawFrame(1);
  EXPECT_TRUE(Near(PixelAt(kWidth / 2, kHeight / 2), kWhite));
  EXPECT_TRUE(Near(PixelAt(1, 1), kWhite));
}

TEST_F(ScenePictureTest, ShortlyAfterImpactTheDebrisAddsAnOrangeGlowOntoTheGround) {
  Open();
  DrawFrame(1150);  // the first meteor struck at frame 1003
  ASSERT_EQ(scene_.explosionActive[0], 1);
  const DebrisFragment& fragment = scene_.fragments[0][0];
  const auto centre = Project(fragment.centreX, 0.2f, fragment.centreZ);
  // Particles may hide a few pixels; most of the block about the centre glows.
  constexpr int kHalfBlock = 3;
  int glowing = 0;
  for (int dy = -kHalfBlock; dy <= kHalfBlock; ++dy) {
    for (int dx = -kHalfBlock; dx <= kHalfBlock; ++dx) {
      const Rgb pixel = PixelAt(static_cast<int>(centre[0]) + dx, static_cast<int>(centre[1]) + dy);
      const bool glows = pixel[0] > kGround[0] + 100 && pixel[0] > pixel[1] + 40 &&
                         pixel[1] > pixel[2] + 40 && pixel[2] >= kGround[2];
      glowing += glows ? 1 : 0;
    }
  }
  EXPECT_GT(glowing, (2 * kHalfBlock + 1) * (2 * kHalfBlock + 1) / 2);
  // Ground away from the explosion keeps its colour: the camera looks at the origin.
  EXPECT_TRUE(Near(PixelAt(kWidth / 2, kHeight / 2), kGround));

  // The frame leaves the fixed state as InitScene set it.
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_TRUE(depthMask);
  GLint stackDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackDepth);
  EXPECT_EQ(stackDepth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ScenePictureTest, InWatchModeTheCameraLooksFromTheFixedPointAtTheMeteor) {
  Open();
  DrawFrame(2300);
  ASSERT_EQ(scene_.cameraMode, kCameraWatch);
  // The camera transformation takes (40, 40, 40) to the eye at the origin.
  std::array<double, 16> m{};
  glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
  for (int row = 0; row < 3; ++row) {
    EXPECT_NEAR(40.0 * (m[row] + m[4 + row] + m[8 + row]) + m[12 + row], 0.0, 1e-3) << row;
  }
  const std::array<float, 3>& target = scene_.cameraView.target;
  EXPECT_EQ(target[0], scene_.meteors[0].x - scene_.meteors[0].stepX);
  const auto at = Project(target[0], target[1], target[2]);
  EXPECT_NEAR(at[0], kWidth / 2.0, 0.01);
  EXPECT_NEAR(at[1], kHeight / 2.0, 0.01);
  EXPECT_TRUE(Near(PixelAt(kWidth / 2, kHeight / 2), kMeteor));
}

TEST_F(ScenePictureTest, DrawingFramesStepsTheSceneExactlyAsSteppingAlone) {
  Open();
  SolidColourCaptures none;
  Scene stepped(none);
  stepped.ResetScene();
  // Both step alike up to shortly before the first impact, then one draws every frame.
  for (int frame = 1; frame <= 1030; ++frame) {
    if (frame < 990) {
      scene_.Advance(1);
    } else {
      scene_.Advance(1);
      scene_.RenderFrame(1.0f);
    }
    stepped.Advance(1);
  }
  ASSERT_EQ(stepped.explosionActive[0], 1);
  EXPECT_EQ(scene_.random.state(), stepped.random.state());
  EXPECT_EQ(scene_.cycleCounter, stepped.cycleCounter);
  EXPECT_EQ(std::memcmp(&scene_.meteors, &stepped.meteors, sizeof stepped.meteors), 0);
  EXPECT_EQ(std::memcmp(&scene_.fragments, &stepped.fragments, sizeof stepped.fragments), 0);
  EXPECT_EQ(std::memcmp(&scene_.particles, &stepped.particles, sizeof stepped.particles), 0);
}

}  // namespace
