#pragma once

#include "renderer/capture_textures.h"

// The scene the renderer draws, one step per frame. This first version shows the four capture
// textures side by side, turning slowly, so that the program frame can be checked end to end.
class Scene {
 public:
  explicit Scene(CaptureImageLoader& loader) : loader_(loader) {}

  // Loads the capture textures and sets the fixed drawing state. False when no capture file
  // could be loaded. Needs a current rendering context.
  bool InitScene();
  void ResetScene();
  // Draws one frame into the back buffer; the caller swaps.
  bool RenderFrame();

  CaptureTextures captureTextures{};
  int frameCounter = 0;

 private:
  CaptureImageLoader& loader_;
};
