#pragma once

#include <array>
#include <memory>

#include "scene/capture_textures.h"
#include "scene/frame_pacer.h"
#include "scene/opengl.h"
#include "scene/random.h"
#include "scene/scene_state.h"

// The whole scene: meteors falling onto the ground picture inside a sky sphere, the explosions
// they start, and the camera. All state lives in fixed tables here; nothing is allocated per
// frame. The simulation (StepFrame and the Update functions) makes no OpenGL call, so the scene
// can be stepped and traced without a rendering context; the Draw functions only draw.
class Scene : public SceneState {
 public:
  explicit Scene(CaptureImageLoader& loader);

  // Loads the capture textures, resets the scene, sets the fixed drawing state and compiles the
  // fixed geometry. False when no capture file could be loaded. Needs a current rendering
  // context with the model-view matrix at the identity.
  bool InitScene();
  // Frees every meteor and explosion slot, starts the first meteor and the camera cycle.
  void ResetScene();
  // Steps the scene by one frame and draws that step into the back buffer; the caller swaps.
  bool RenderFrame();
  // The simulation alone: the cycle, the camera's choice of view, then the updates of
  // fragments, particles and meteors.
  void StepFrame();
  // StepFrame, keeping the state it leaves for DrawFrame.
  void AdvanceStep();
  // Draws the scene `fraction` of the way from the state before the latest AdvanceStep to the
  // latest (1: the latest step as it is) into the back buffer; the caller swaps.
  bool DrawFrame(float fraction);
  // A paced frame: the plan's steps, then the scene drawn at its fraction; the caller swaps.
  bool DrawPlannedFrame(const FramePlan& plan);

  void SpawnMeteor();
  void UpdateMeteors();
  void StartExplosion(int meteorIndex);
  void UpdateFragments();
  void UpdateParticles();
  // The view for the current camera mode from the current position of the meteor in slot 0.
  CameraView ChooseCameraView() const;

  CaptureTextures captureTextures{};
  RandomGenerator random;

 private:
  struct QuadricDeleter {
    void operator()(GLUquadric* quadric) const { gluDeleteQuadric(quadric); }
  };
  // Display lists of the geometry that never changes, compiled once by InitScene; 0 where none.
  struct FixedGeometry {
    GLuint sky = 0;
    std::array<GLuint, kMeteorSizeCount> meteorSpheres{};  // by size, 0.0 to 0.9
  };

  void AdvanceCycle();
  void CompileFixedGeometry();
  void CompileMeteorSpheres();

  // Drawing a state, each part in the current model-view transformation.
  void DrawState(const SceneState& state) const;
  void ApplyCamera(const CameraView& view) const;
  void DrawParticles(const SceneState& state) const;
  void DrawGround() const;
  void DrawSky() const;
  void DrawFragments(const SceneState& state) const;
  void DrawMeteors(const SceneState& state) const;
  void DrawMeteorSphere(float size) const;

  CaptureImageLoader& loader_;
  // The one quadric for every sphere, with smooth normals and texture coordinates.
  std::unique_ptr<GLUquadric, QuadricDeleter> sceneQuadric;
  FixedGeometry geometry_;
  // The state before the latest AdvanceStep, and the state a frame between the two draws.
  SceneState previousStep_;
  SceneState blended_;
};
