// The scene as a whole: fixed drawing state, reset, the camera cycle and the composition of a
// frame.
#include "scene/scene.h"

#include "scene/projection.h"

namespace {
// Light 1 lights the particles alone. Its position is given under the identity model-view
// matrix, so it stays 5 units behind the eye whatever the camera does.
constexpr GLfloat kLightAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat kLightDiffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightPosition[] = {0.0f, 0.0f, 5.0f, 1.0f};

constexpr float kRideHeight = 20.0f;  // the riding camera's height above the meteor
constexpr std::array<float, 3> kWatchPoint = {40.0f, 40.0f, 40.0f};
constexpr std::array<float, 3> kOrigin = {0.0f, 0.0f, 0.0f};

// The sky sphere is centred on the origin, its poles on the z axis; the camera sees its inside.
constexpr double kSkyRadius = 768.0;
constexpr GLint kSkySlices = 32;
constexpr GLint kSkyStacks = 32;

// The ground: a 40 x 40 square at height 0 centred on the origin.
struct GroundCorner {
  float s, t, x, z;
};
constexpr std::array<GroundCorner, 4> kGroundCorners = {{
    {0.0f, 0.0f, -20.0f, -20.0f},
    {1.0f, 0.0f, -20.0f, 20.0f},
    {1.0f, 1.0f, 20.0f, 20.0f},
    {0.0f, 1.0f, 20.0f, -20.0f},
}};
}  // namespace

Scene::Scene(CaptureImageLoader& loader, uint32_t seed) : random(seed), loader_(loader) {}

bool Scene::InitScene() {
  if (!BuildCaptureTextures(loader_, captureTextures)) {
    return false;
  }
  ResetScene();
  // Texturing is switched on and off within each frame, which leaves it off.
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glLightfv(GL_LIGHT1, GL_AMBIENT, kLightAmbient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, kLightDiffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
  // Blending is only ever switched on for the fragments, which add their light to the picture.
  glBlendFunc(GL_ONE, GL_ONE);
  sceneQuadric.reset(gluNewQuadric());
  gluQuadricNormals(sceneQuadric.get(), GLU_SMOOTH);
  gluQuadricTexture(sceneQuadric.get(), GL_TRUE);
  CompileFixedGeometry();
  return true;
}

void Scene::ResetScene() {
  explosionActive = {};
  for (Meteor& meteor : meteors) {
    meteor.active = 0;
  }
  SpawnMeteor();
  cameraMode = kCameraRide;
  cycleCounter = 0;
  cameraView = ChooseCameraView();
  previousStep_ = *this;
}

void Scene::AdvanceCycle() {
  ++cycleCounter;
  if (cycleCounter == kCycleFrames) {
    cycleCounter = 0;
    cameraMode = cameraMode == kCameraRide ? kCameraWatch : kCameraRide;
    SpawnMeteor();
  }
}

CameraView Scene::ChooseCameraView() const {
  // Always slot 0, whether its meteor still falls or has struck.
  const Meteor& meteor = meteors[0];
  if (cameraMode == kCameraRide) {
    return {{meteor.x, meteor.y + kRideHeight, meteor.z}, kOrigin};
  }
  return {kWatchPoint, {meteor.x, meteor.y, meteor.z}};
}

void Scene::Step() {
  AdvanceCycle();
  cameraView = ChooseCameraView();
  UpdateFragments();
  UpdateParticles();
  UpdateMeteors();  // may start an explosion
}

void Scene::Advance(int steps) {
  if (steps <= 0) {
    return;
  }
  for (int step = 1; step < steps; ++step) {
    Step();
  }
  previousStep_ = *this;
  Step();
}

void Scene::RenderFrame(float fraction) {
  BlendSceneStates(previousStep_, *this, fraction, blended_);
  DrawState(blended_);
}

void Scene::Resize(int width, int height) { SetProjection(width, height); }

void Scene::DrawState(const SceneState& state) const {
  // Only the depth buffer: the camera never leaves the sky sphere, so the sky, a closed surface
  // drawn every frame, covers every pixel that nothing nearer covers.
  glClear(GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  ApplyCamera(state.cameraView);
  DrawParticles(state);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  // The ground lies in front of the sky wherever both are seen: drawn first, it spares the
  // depth test the sky behind it.
  DrawGround();
  DrawSky();
  DrawFragments(state);
  DrawMeteors(state);
  glDisable(GL_TEXTURE_2D);
}

void Scene::CompileFixedGeometry() {
  geometry_.sky = glGenLists(1);
  if (geometry_.sky != 0) {
    glNewList(geometry_.sky, GL_COMPILE);
    gluSphere(sceneQuadric.get(), kSkyRadius, kSkySlices, kSkyStacks);
    glEndList();
  }
  CompileMeteorSpheres();
}

void Scene::ApplyCamera(const CameraView& view) const {
  gluLookAt(view.eye[0], view.eye[1], view.eye[2], view.target[0], view.target[1], view.target[2],
            0.0, 1.0, 0.0);
}

// Sky and ground are drawn white, in the camera transformation alone. The sky comes from its
// display list (or directly, should the list be missing).
void Scene::DrawSky() const {
  glBindTexture(GL_TEXTURE_2D, captureTextures[kSkyTexture]);
  if (geometry_.sky != 0) {
    glCallList(geometry_.sky);
  } else {
    gluSphere(sceneQuadric.get(), kSkyRadius, kSkySlices, kSkyStacks);
  }
}

// One quad, drawn directly: from a display list Mesa draws a few of its edge pixels otherwise,
// and a list would save next to nothing.
void Scene::DrawGround() const {
  glBindTexture(GL_TEXTURE_2D, captureTextures[kGroundTexture]);
  glBegin(GL_QUADS);
  for (const GroundCorner& corner : kGroundCorners) {
    glTexCoord2f(corner.s, corner.t);
    glVertex3f(corner.x, 0.0f, corner.z);
  }
  glEnd();
}
