#include "scene/projection.h"

#include "scene/opengl.h"

namespace {
constexpr double kFieldOfViewDegrees = 45.0;
// The near plane is the single-precision 0.1 widened to double, as the scene was tuned with it.
constexpr double kNearPlane = static_cast<double>(0.1f);
constexpr double kFarPlane = 1500.0;
}  // namespace

void SetProjection(int width, int height) {
  if (height == 0) {
    height = 1;
  }
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height),
                 kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
