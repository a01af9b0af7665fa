// Meteors: starting one, moving them all one frame, drawing them.
#include "renderer/scene.h"

namespace {
// A meteor starts this high, 1 to 199 units out along x and z.
constexpr float kStartHeight = 400.0f;
constexpr float kStartOffset = 100.0f;
constexpr int kStartSpread = 100;
// Sizes 0.0, 0.1 ... 0.9.
constexpr int kSizeSteps = 10;
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
    meteor.size = static_cast<float>(random.Below(kSizeSteps) / kSizeDivisor);

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

void Scene::DrawMeteors() const {
  for (const Meteor& meteor : meteors) {
    if (meteor.active != 1) {
      continue;
    }
    glPushMatrix();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTranslatef(meteor.x, meteor.y, meteor.z);
    glRotatef(meteor.angle, 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, captureTextures[kMeteorTexture]);
    gluSphere(sceneQuadric.get(), kRadiusPerSize * meteor.size, kSphereSlices, kSphereStacks);
    glPopMatrix();
  }
}
