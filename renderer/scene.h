#pragma once

#include <array>
#include <memory>

#include "renderer/capture_textures.h"
#include "renderer/explosions.h"
#include "renderer/meteors.h"
#include "renderer/opengl.h"
#include "renderer/random.h"

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

// The whole scene: meteors falling onto the ground picture inside a sky sphere, the explosions
// they start, and the camera. All state lives in fixed tables here; nothing is allocated per
// frame. The simulation (StepFrame and the Update functions) makes no OpenGL call, so the scene
// can be stepped and traced without a rendering context; the Draw functions only draw.
class Scene {
 public:
  explicit Scene(CaptureImageLoader& loader);

  // Loads the capture textures, resets the scene and sets the fixed drawing state. False when
  // no capture file could be loaded. Needs a current rendering context with the model-view
  // matrix at the identity.
  bool InitScene();
  // Frees every meteor and explosion slot, starts the first meteor and the camera cycle.
  void ResetScene();
  // Steps the scene by one frame and draws it into the back buffer; the caller swaps.
  bool RenderFrame();
  // The simulation part of RenderFrame alone: the cycle, the camera's choice of view, then the
  // updates of fragments, particles and meteors.
  void StepFrame();

  void SpawnMeteor();
  void UpdateMeteors();
  void StartExplosion(int meteorIndex);
  void UpdateFragments();
  void UpdateParticles();
  // The view for the current camera mode from the current position of the meteor in slot 0.
  CameraView ChooseCameraView() const;

  // Drawing, each in the current model-view transformation.
  void ApplyCamera() const;
  void DrawParticles() const;
  void DrawSky() const;
  void DrawGround() const;
  void DrawFragments() const;
  void DrawMeteors() const;

  CaptureTextures captureTextures{};
  RandomGenerator random;
  std::array<Meteor, kMeteorCount> meteors{};
  std::array<int, kExplosionSlotCount> explosionActive{};
  FragmentTable fragments{};  // [slot][fragment]
  ParticleTable particles{};  // [slot][particle]
  int cameraMode = kCameraRide;
  int cycleCounter = 0;  // frames since the last cycle start, 0 to 1399
  // The view chosen in the latest step, before that step moved anything; after ResetScene, the
  // view the first frame will take.
  CameraView cameraView{};

 private:
  struct QuadricDeleter {
    void operator()(GLUquadric* quadric) const { gluDeleteQuadric(quadric); }
  };

  void AdvanceCycle();

  CaptureImageLoader& loader_;
  // The one quadric for every sphere, with smooth normals and texture coordinates.
  std::unique_ptr<GLUquadric, QuadricDeleter> sceneQuadric;
};
