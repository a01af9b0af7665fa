#pragma once

#include <optional>

#include "scene/capture_textures.h"
#include "scene/rgb_image.h"

// The scene's four pictures on Linux, where there are no capture files: the debris glow, the sky
// and the meteor come from the pictures built into the program, and the ground is the grabbed
// desktop, or the built-in ground when there is none.
class ScenePictures final : public CaptureImageLoader {
 public:
  explicit ScenePictures(std::optional<RgbImage> desktop) : desktop_(std::move(desktop)) {}

  // A value that is no capture role gives no picture.
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;

 private:
  std::optional<RgbImage> desktop_;
};
