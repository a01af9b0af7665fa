#include "linux/fps_overlay.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "scene/opengl.h"
#include "scene/testing/offscreen_gl_test_context.h"

namespace {

constexpr int64_t kSecond = 2400;  // divides into sixtieths and their quarters

TEST(FpsMeterTest, ReportsFramesAndLoadOfEachSecond) {
  FpsMeter meter(0, kSecond);
  EXPECT_STREQ(meter.text().fps.data(), "FPS:");
  // 60 frames in the first second, each busy for a quarter of its 1/60 s.
  int64_t now = 0;
  for (int frame = 1; frame < 60; ++frame) {
    now = frame * kSecond / 60;
    EXPECT_FALSE(meter.FrameDone(now, kSecond / 240));
  }
  EXPECT_TRUE(meter.FrameDone(kSecond, kSecond / 240 + 1));
  EXPECT_STREQ(meter.text().fps.data(), "FPS:   60.0");
  EXPECT_STREQ(meter.text().load.data(), "Load:  25.0%");

  // The next figures count the next period alone: 3 frames in 1.5 s, always busy.
  EXPECT_FALSE(meter.FrameDone(kSecond * 3 / 2, kSecond / 2));
  EXPECT_FALSE(meter.FrameDone(kSecond * 2 - 1, kSecond / 2 - 1));
  EXPECT_TRUE(meter.FrameDone(kSecond * 5 / 2, kSecond / 2 + 2));
  EXPECT_STREQ(meter.text().fps.data(), "FPS:   2.0");
  EXPECT_STREQ(meter.text().load.data(), "Load:  100.0%");
}

// The red channel of every pixel, bottom row first: the overlay draws grey levels only.
std::vector<uint8_t> ReadGreyLevels(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::array<GLfloat, 16> Matrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

class FpsOverlayDrawingTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 240;  // one screen pixel a font pixel

  void SetUp() override {
    ASSERT_TRUE(gl_.current());
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::snprintf(text_.fps.data(), text_.fps.size(), "FPS:   60.0");
    std::snprintf(text_.load.data(), text_.load.size(), "Load:  7.5%%");
  }

  OffscreenGlTestContext gl_{kWidth, kHeight};
  FpsText text_;
};

TEST_F(FpsOverlayDrawingTest, WritesTwoWhiteLinesInTheBottomLeftCorner) {
  DrawFpsOverlay(text_, kWidth, kHeight);
  const std::vector<uint8_t> pixels = ReadGreyLevels(kWidth, kHeight);
  const auto lit = [&](int x, int y) { return pixels[static_cast<size_t>(y) * kWidth + x] > 200; };

  // The F of "FPS" on the upper line: its top bar is five pixels wide, 10 pixels from the left
  // edge, its bottom 20 pixels above the bottom edge (margin 10, line height 10).
  for (int x = 10; x < 15; ++x) {
    EXPECT_TRUE(lit(x, 26)) << x;
  }
  EXPECT_FALSE(lit(15, 26));
  EXPECT_TRUE(lit(10, 20));
  EXPECT_FALSE(lit(11, 20));
  // The L of "Load" on the lower line: an upright and a foot.
  for (int y = 10; y < 17; ++y) {
    EXPECT_TRUE(lit(10, y)) << y;
  }
  EXPECT_TRUE(lit(14, 10));
  EXPECT_FALSE(lit(14, 11));

  // The shadow: black one pixel to the right of and below the F's bar, over a grey background.
  EXPECT_EQ(pixels[static_cast<size_t>(25) * kWidth + 15], 0);

  // Nothing outside the two lines: 12 characters of 6 pixels, 2 lines of 10.
  int litOutside = 0;
  int litInside = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= 10 && x < 10 + 12 * 6 && y >= 10 && y < 30;
      (inside ? litInside : litOutside) += lit(x, y) ? 1 : 0;
    }
  }
  EXPECT_EQ(litOutside, 0);
  EXPECT_GT(litInside, 100);
}

TEST_F(FpsOverlayDrawingTest, LeavesTheScenesStateAsItFoundIt) {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  const auto projection = Matrix(GL_PROJECTION_MATRIX);
  const auto modelView = Matrix(GL_MODELVIEW_MATRIX);

  DrawFpsOverlay(text_, kWidth, kHeight);

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  std::array<GLfloat, 4> colour{};
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_EQ(colour, (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1.0f}));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), modelView);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
