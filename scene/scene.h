#pragma once

#include <array>
#include <memory>

#include "scene/capture_textures.h"
#include "scene/frame_loop.h"
#include "scene/opengl.h"
#include "scene/random.h"
#include "scene/scene_state.h"

// The whole scene: meteors falling onto the ground picture inside a sky sphere, the explosions
// they start, and the camera. All state lives in fixed tables here; nothing is allocated per
// frame. The simulation (Advance and the Update functions) makes no OpenGL call, so the scene
// can be stepped and traced without a rendering context; RenderFrame and the Draw functions only
// draw.
class Scene : public SceneState, public FrameScene {
 public:
  // `seed` starts the random generator; the default is the primary monitor's (SceneSeedForPlace).
  explicit Scene(CaptureImageLoader& loader, uint32_t seed = RandomGenerator::kInitialState);

  // Loads the capture textures, resets the scene, sets the fixed drawing state and compiles the
  // fixed geometry. False when no capture file could be loaded. Needs a current rendering
  // context with the model-view matrix at the identity.
  bool InitScene();
  // Frees every meteor and explosion slot, starts the first meteor and the camera cycle.
  void ResetScene();
  // Takes `steps` whole steps of the simulation (none: the frame falls between the same two
  // steps as the one before), keeping the state before the last of them for RenderFrame.
  void Advance(int steps) override;
  // Draws the scene `fraction` of the way from the state before the latest step to the latest
  // (1: the latest step as it is) into the back buffer; the caller swaps.
  void RenderFrame(float fraction) override;
  // The drawable is `width` x `height` pixels now: the viewport and projection follow it.
  void Resize(int width, int height) override;

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

  // One step: the cycle, the camera's choice of view, then the updates of fragments, particles
  // and meteors.
  void Step();
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
  // The state before the latest step, and the state a frame between the two draws.
  SceneState previousStep_;
  SceneState blended_;
};
