#pragma once

#include <array>
#include <optional>

#include "contract/saver_contract.h"
#include "scene/opengl.h"
#include "scene/rgb_image.h"

// One texture name per capture role, indexed by role; 0 where its picture did not load.
using CaptureTextures = std::array<GLuint, kCaptureFileCount>;

// Gives the picture of one capture role: the renderer reads the role's capture file, the tools a
// file of the same name in a directory, the Linux hack its own pictures. The renderer's loader
// reports decoding failures to the user itself and skips unreadable files silently; either way
// the result is then empty.
class CaptureImageLoader {
 public:
  virtual ~CaptureImageLoader() = default;
  virtual std::optional<RgbImage> LoadCaptureImage(CaptureRole role) = 0;
};

// Asks the loader for each role once, in load order, and turns each picture into one mipmapped
// texture (any size: the mipmap builder scales it to power-of-two sides). True when at least one
// picture loaded. Needs a current rendering context.
bool BuildCaptureTextures(CaptureImageLoader& loader, CaptureTextures& captureTextures);
