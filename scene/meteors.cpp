// Meteors: starting one, moving them all one frame, drawing them.
#include "scene/scene.h"

namespace {
// A meteor starts this high, 1 to 199 units out along x and z.
constexpr float kStartHeight = 400.0f;
constexpr float kStartOffset = 100.0f;
constexpr int kStartSpread = 100;
constexpr double kSizeDivisor = 10.0;
// The target lies within 9 units of the origin in x and z.
constexpr int kTargetSpread = 10;
constexpr float kFramesToTarget = 1000.0f;

constexpr int kFullTurn = 360;
constexpr float kFullTurnDegrees = 360.0f;
constexpr float kSpinPerFrame = 1.0f;

constexpr double kRadiusPerSize = 2.0;
constexpr GLint kSphereSlices = 16;
constexpr GLint kSphereStacks = 16;

// The size a meteor takes from a draw of `step`, 0 to kMeteorSizeCount - 1.
float MeteorSize(int step) { return static_cast<float>(step / kSizeDivisor); }
}  // namespace

void Scene::SpawnMeteor() {
  for (Meteor& meteor : meteors) {
    if (meteor.active != 0) {
      continue;
    }
    meteor.active = 1;
    meteor.x = static_cast<float>(random.Difference(kStartSpread)) + kStartOffset;
    meteor.y = kStartHeight;
    meteor.z = static_cast<float>(random.Difference(kStartSpread)) + kStartOffset;
    meteor.size = MeteorSize(random.Below(kMeteorSizeCount));

    // Aim just above the ground by the meteor's size, so that it reaches the impact height
    // slightly past its target, 1000 to 1003 frames from now.
    const float targetX = static_cast<float>(random.Difference(kTargetSpread));
    const float targetY = static_cast<float>(meteor.size + kImpactHeight);
    const float targetZ = static_cast<float>(random.Difference(kTargetSpread));
    meteor.stepX = (targetX - meteor.x) / kFramesToTarget;
    meteor.stepY = (targetY - meteor.y) / kFramesToTarget;
    meteor.stepZ = (targetZ - meteor.z) / kFramesToTarget;
    meteor.angle = static_cast<float>(random.Below(kFullTurn));
    return;
  }
}

void Scene::UpdateMeteors() {
  for (int slot = 0; slot < kMeteorCount; ++slot) {
    Meteor& meteor = meteors[slot];
    if (meteor.active != 1) {
      continue;
    }
    meteor.angle += kSpinPerFrame;
    if (meteor.angle > kFullTurnDegrees) {
      meteor.angle -= kFullTurnDegrees;
    }
    meteor.x += meteor.stepX;
    meteor.y += meteor.stepY;
    meteor.z += meteor.stepZ;
    if (static_cast<double>(meteor.y) < kImpactHeight) {
      meteor.active = 0;
      StartExplosion(slot);
      // Meteors in higher slots wait for the next frame.
      return;
    }
  }
}

void Scene::CompileMeteorSpheres() {
  // Size 0 is never drawn.
  for (int step = 1; step < kMeteorSizeCount; ++step) {
    const GLuint list = glGenLists(1);
    if (list == 0) {
      return;
    }
    geometry_.meteorSpheres[step] = list;
    glNewList(list, GL_COMPILE);
    gluSphere(sceneQuadric.get(), kRadiusPerSize * MeteorSize(step), kSphereSlices, kSphereStacks);
    glEndList();
  }
}

void Scene::DrawMeteorSphere(float size) const {
  for (int step = 0; step < kMeteorSizeCount; ++step) {
    if (size == MeteorSize(step) && geometry_.meteorSpheres[step] != 0) {
      glCallList(geometry_.meteorSpheres[step]);
      return;
    }
  }
  gluSphere(sceneQuadric.get(), kRadiusPerSize * size, kSphereSlices, kSphereStacks);
}

void Scene::DrawMeteors(const SceneState& state) const {
  // Fragments leave their colour behind; every meteor is white and wears the same texture.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, captureTextures[kMeteorTexture]);
  for (const Meteor& meteor : state.meteors) {
    // A meteor of size 0 has radius 0 and shows nothing.
    if (meteor.active != 1 || meteor.size == 0.0f) {
      continue;
    }
    glPushMatrix();
    glTranslatef(meteor.x, meteor.y, meteor.z);
    glRotatef(meteor.angle, 0.0f, 0.0f, 1.0f);
    DrawMeteorSphere(meteor.size);
    glPopMatrix();
  }
}
