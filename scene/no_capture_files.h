#pragma once

#include <optional>

#include "scene/capture_textures.h"

// The loader of a scene that is only stepped, never drawn: there are no capture files.
class NoCaptureFiles final : public CaptureImageLoader {
 public:
  std::optional<RgbImage> LoadCaptureImage(CaptureRole) override { return std::nullopt; }
};
