#include "renderer/scene.h"

#include <cmath>

namespace {
// Distance at which a quad two units high fills the height of a 45-degree view.
constexpr float kScreenDepth = 2.4142135f;
constexpr float kDegreesPerFrame = 0.5f;

void DrawTexturedTile(GLuint texture, float centreX, float centreY, float halfSide, float angle) {
  glPushMatrix();
  glTranslatef(centreX, centreY, -kScreenDepth);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-halfSide, -halfSide, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(halfSide, -halfSide, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(halfSide, halfSide, 0.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-halfSide, halfSide, 0.0f);
  glEnd();
  glPopMatrix();
}
}  // namespace

bool Scene::InitScene() {
  if (!BuildCaptureTextures(loader_, captureTextures)) {
    return false;
  }
  ResetScene();
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  return true;
}

void Scene::ResetScene() { frameCounter = 0; }

bool Scene::RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  ++frameCounter;

  // Four tiles in a 2 x 2 grid, texture i in reading order; the tiles turn a little back and forth.
  const float angle = 10.0f * std::sin(frameCounter * kDegreesPerFrame * 3.14159265f / 180.0f);
  constexpr float kHalfSide = 0.45f;
  constexpr float kOffset = 0.5f;
  glEnable(GL_TEXTURE_2D);
  DrawTexturedTile(captureTextures[kDebrisTexture], -kOffset, kOffset, kHalfSide, angle);
  DrawTexturedTile(captureTextures[kGroundTexture], kOffset, kOffset, kHalfSide, -angle);
  DrawTexturedTile(captureTextures[kSkyTexture], -kOffset, -kOffset, kHalfSide, -angle);
  DrawTexturedTile(captureTextures[kMeteorTexture], kOffset, -kOffset, kHalfSide, angle);
  glDisable(GL_TEXTURE_2D);
  return true;
}
