#pragma once

#include <array>
#include <optional>

#include "scene/opengl.h"
#include "scene/rgb_image.h"

// The four capture files the host writes before it starts the renderer, in load order.
inline constexpr int kCaptureFileCount = 4;
inline constexpr std::array<const char*, kCaptureFileCount> kCaptureFilePaths = {
    "c:\\k_vusa\\Valdorique1.bmp",
    "c:\\k_vusa\\Valdorique2.bmp",
    "c:\\k_vusa\\Valdorique3.bmp",
    "c:\\k_vusa\\Valdorique4.bmp",
};

// What each capture texture is drawn on: the index into CaptureTextures.
enum CaptureRole : int {
  kDebrisTexture = 0,
  kGroundTexture = 1,
  kSkyTexture = 2,
  kMeteorTexture = 3,
};

// One texture name per capture file; 0 where the file did not load.
using CaptureTextures = std::array<GLuint, kCaptureFileCount>;

// Reads one capture file into a picture. The renderer's loader reports decoding failures to the
// user itself and skips unreadable files silently; either way the result is then empty.
class CaptureImageLoader {
 public:
  virtual ~CaptureImageLoader() = default;
  virtual std::optional<RgbImage> LoadCaptureImage(const char* path) = 0;
};

// Loads the capture files in order and turns each picture into one mipmapped texture (any size:
// the mipmap builder scales it to power-of-two sides). True when at least one file loaded.
// Needs a current rendering context.
bool BuildCaptureTextures(CaptureImageLoader& loader, CaptureTextures& captureTextures);
