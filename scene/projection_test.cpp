#include "scene/projection.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "scene/opengl.h"
#include "scene/testing/offscreen_gl_test_context.h"

namespace {

std::array<GLfloat, 16> Matrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

const double kFocal = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);

TEST(SetProjectionTest, FollowsTheClientSizeWithA45DegreeView) {
  OffscreenGlTestContext gl(64, 64);
  ASSERT_TRUE(gl.current());
  glMatrixMode(GL_PROJECTION);
  glTranslatef(3.0f, 0.0f, 0.0f);  // whatever was there before is replaced

  SetProjection(1024, 768);

  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 1024, 768}));
  const auto p = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_NEAR(p[5], kFocal, 1e-5);
  EXPECT_NEAR(p[0], kFocal * 768.0 / 1024.0, 1e-5);
  EXPECT_FLOAT_EQ(p[12], 0.0f);
  // Depth range from the near plane 0.1 to the far plane 1500.
  EXPECT_NEAR(p[10], -(1500.0 + 0.1) / (1500.0 - 0.1), 1e-6);
  EXPECT_NEAR(p[14], -2.0 * 1500.0 * 0.1 / (1500.0 - 0.1), 1e-6);

  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  const auto m = Matrix(GL_MODELVIEW_MATRIX);
  for (int i = 0; i < 16; ++i) {
    EXPECT_FLOAT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
  }
}

// Every monitor shape keeps a circle round: a pixel spans the same angle across and down, and
// the view fills the whole monitor.
TEST(SetProjectionTest, PortraitWideAndLargeMonitorsAreNotStretched) {
  OffscreenGlTestContext gl(64, 64);
  ASSERT_TRUE(gl.current());
  for (const auto& [width, height] : {std::pair{768, 1024}, {3440, 1440}, {3840, 2160}}) {
    SetProjection(width, height);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, width, height}));
    const auto p = Matrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5], kFocal, 1e-5) << width << "x" << height;
    EXPECT_NEAR(p[0] * width, p[5] * height, 1e-3) << width << "x" << height;
  }
}

TEST(SetProjectionTest, ZeroHeightIsTakenAsOnePixel) {
  OffscreenGlTestContext gl(64, 64);
  ASSERT_TRUE(gl.current());
  SetProjection(640, 0);

  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 640, 1}));
  const auto p = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_TRUE(std::isfinite(p[0]));
  EXPECT_NEAR(p[0], kFocal / 640.0, 1e-6);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
