// Frames drawn by Mesa offscreen, compared pixel for pixel: with the scene's display lists, draw
// order and skipped invisible parts, and between two steps, against the frame composition drawn
// plainly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/projection.h"
#include "scene/scene.h"
#include "scene/testing/offscreen_gl_test_context.h"

namespace {

constexpr int kWidth = 256;
constexpr int kHeight = 192;

// Pictures with detail in every texel, so that a texture coordinate drawn otherwise shows.
class PatternCaptures final : public CaptureImageLoader {
 public:
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override {
    const int ground = role == kGroundTexture ? 1 : 0;
    const int side = ground ? 96 : 64;
    RgbImage image{side, side, {}};
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        image.pixels.push_back(static_cast<uint8_t>(x * 255 / side));
        image.pixels.push_back(static_cast<uint8_t>(y * 255 / side));
        image.pixels.push_back(static_cast<uint8_t>(((x / 4 + y / 4) % 2) * 200 + ground * 40));
      }
    }
    return image;
  }
};

using Picture = std::vector<uint8_t>;

Picture ReadPicture() {
  glFinish();
  Picture picture(static_cast<size_t>(kWidth) * kHeight * 4);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
  // The alpha channel is not shown.
  for (size_t i = 3; i < picture.size(); i += 4) {
    picture[i] = 0;
  }
  return picture;
}

int DifferingPixels(const Picture& a, const Picture& b) {
  int differing = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    differing += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] ? 1 : 0;
  }
  return differing;
}

class SceneFramesPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.current());
    SetProjection(kWidth, kHeight);
    ASSERT_TRUE(scene_.InitScene());
    quadric_ = gluNewQuadric();
    gluQuadricNormals(quadric_, GLU_SMOOTH);
    gluQuadricTexture(quadric_, GL_TRUE);
  }
  void TearDown() override { gluDeleteQuadric(quadric_); }

  void AdvanceTo(int frame) {
    scene_.Advance(frame - frame_);
    frame_ = std::max(frame_, frame);
  }

  // The scene's latest step drawn as the frame composition describes it, plainly: the buffers
  // cleared, every sphere tessellated anew, the sky before the ground, every particle and
  // fragment drawn, each state set where it is needed.
  Picture PlainFrame() {
    const Scene& s = scene_;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const CameraView& view = s.cameraView;
    gluLookAt(view.eye[0], view.eye[1], view.eye[2], view.target[0], view.target[1], view.target[2],
              0.0, 1.0, 0.0);

    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
      for (const Particle& p : s.particles[slot]) {
        if (s.explosionActive[slot] != 1 || p.active != 1) {
          continue;
        }
        glPushMatrix();
        glTranslatef(p.x, p.y, p.z);
        glRotatef(p.tilt, 1.0f, 0.0f, 0.0f);
        glRotatef(p.turn, 0.0f, 0.0f, 1.0f);
        glNormal3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_QUADS);
        glVertex3f(-p.width / 2, 0.0f, -p.depth / 2);
        glVertex3f(-p.width / 2, 0.0f, p.depth / 2);
        glVertex3f(p.width / 2, 0.0f, p.depth / 2);
        glVertex3f(p.width / 2, 0.0f, -p.depth / 2);
        glEnd();
        glPopMatrix();
      }
    }
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);

    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, s.captureTextures[kSkyTexture]);
    gluSphere(quadric_, 768.0, 32, 32);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, s.captureTextures[kGroundTexture]);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-20.0f, 0.0f, -20.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-20.0f, 0.0f, 20.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(20.0f, 0.0f, 20.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(20.0f, 0.0f, -20.0f);
    glEnd();

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, s.captureTextures[kDebrisTexture]);
    const float texCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int slot = 0; slot < kExplosionSlotCount; ++slot) {
      for (const DebrisFragment& f : s.fragments[slot]) {
        if (s.explosionActive[slot] != 1 || f.active != 1) {
          continue;
        }
        glColor4f(f.red, f.green, f.blue, 1.0f);
        glBegin(GL_QUADS);
        for (int k = 0; k < 4; ++k) {
          glTexCoord2f(texCoords[k][0], texCoords[k][1]);
          glVertex3f(f.cornerX[k], f.cornerY[k], f.cornerZ[k]);
        }
        glEnd();
      }
    }
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);

    for (const Meteor& m : s.meteors) {
      if (m.active != 1) {
        continue;
      }
      glPushMatrix();
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
      glTranslatef(m.x, m.y, m.z);
      glRotatef(m.angle, 0.0f, 0.0f, 1.0f);
      glBindTexture(GL_TEXTURE_2D, s.captureTextures[kMeteorTexture]);
      gluSphere(quadric_, 2.0 * m.size, 16, 16);
      glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
    return ReadPicture();
  }

  Picture FrameAt(float fraction) {
    // A pixel the frame leaves uncovered would keep this colour, which no surface shows.
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    scene_.RenderFrame(fraction);
    return ReadPicture();
  }

  OffscreenGlTestContext gl_{kWidth, kHeight};
  PatternCaptures captures_;
  Scene scene_{captures_};
  GLUquadric* quadric_ = nullptr;
  int frame_ = 0;
};

// Across two cycles: the meteor riding down, impacts, explosions of both sizes running side by
// side, the watching camera, meteors of size 0.
TEST_F(SceneFramesPictureTest, EveryFrameDrawsThePixelsOfThePlainComposition) {
  int compared = 0;
  int withParticles = 0;
  for (int frame = 1; frame <= 2 * kCycleFrames + 900; frame += frame < 990 ? 97 : 23) {
    AdvanceTo(frame);
    const Picture frameDrawn = FrameAt(1.0f);
    ASSERT_EQ(DifferingPixels(frameDrawn, PlainFrame()), 0) << "frame " << frame;
    ++compared;
    withParticles += scene_.explosionActive[0] + scene_.explosionActive[1] > 0 ? 1 : 0;
  }
  EXPECT_GT(compared, 100);
  EXPECT_GT(withParticles, 50);
}

// Steps where nothing starts or ends: a meteor falling under the riding camera, an explosion in
// full flight, the watching camera following a meteor down.
TEST_F(SceneFramesPictureTest, AtFractionsZeroAndOneTheFrameIsTheFrameOfEachStep) {
  for (const int frame : {300, 1100, 1800, 2500}) {
    AdvanceTo(frame - 1);
    const Picture earlier = PlainFrame();
    AdvanceTo(frame);
    const Picture later = PlainFrame();
    ASSERT_GT(DifferingPixels(earlier, later), 0) << "frame " << frame << " shows no motion";

    EXPECT_EQ(DifferingPixels(FrameAt(0.0f), earlier), 0) << "frame " << frame;
    EXPECT_EQ(DifferingPixels(FrameAt(1.0f), later), 0) << "frame " << frame;
    const Picture between = FrameAt(0.5f);
    EXPECT_GT(DifferingPixels(between, earlier), 0) << "frame " << frame;
    EXPECT_GT(DifferingPixels(between, later), 0) << "frame " << frame;
  }
}

}  // namespace
