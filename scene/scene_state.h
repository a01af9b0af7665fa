#pragma once

#include <array>
#include <cstdint>

#include "scene/explosions.h"
#include "scene/meteors.h"

// The camera either rides 20 units above the meteor of slot 0, looking at the origin, or watches
// that meteor from a fixed point. The values are the mode numbers the trace prints.
inline constexpr int kCameraRide = 3;
inline constexpr int kCameraWatch = 2;

// Every 1400 frames a meteor starts and the camera switches mode.
inline constexpr int kCycleFrames = 1400;

struct CameraView {
  std::array<float, 3> eye{};
  std::array<float, 3> target{};
};

// Everything about the scene that changes from step to step: what a frame draws, and the cycle.
// Kept apart from the scene's resources so that the state of one step can be kept beside the
// next and a frame drawn between them.
struct SceneState {
  std::array<Meteor, kMeteorCount> meteors{};
  std::array<int, kExplosionSlotCount> explosionActive{};
  // How many explosions each slot has started: a slot that ended and started again within one
  // step is not the explosion it was.
  std::array<uint32_t, kExplosionSlotCount> explosionStarts{};
  FragmentTable fragments{};  // [slot][fragment]
  ParticleTable particles{};  // [slot][particle]
  int cameraMode = kCameraRide;
  int cycleCounter = 0;  // frames since the last cycle start, 0 to 1399
  // The view chosen in the latest step, before that step moved anything; after ResetScene, the
  // view the first frame will take.
  CameraView cameraView{};
};

// The scene `fraction` of the way from `previous` to `latest`, the state one step later
// (0 gives `previous` exactly, 1 gives `latest` exactly). Whatever moves continuously is
// interpolated: meteors, fragments, particles and the camera. Whatever appeared, ended or was
// cut in the latest step is taken from it as it is: a meteor that started, an explosion's first
// shaped fragments and its new particles, and the camera's switch of mode.
void BlendSceneStates(const SceneState& previous, const SceneState& latest, float fraction,
                      SceneState& blended);
