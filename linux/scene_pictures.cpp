#include "linux/scene_pictures.h"

#include <cstring>

#include "linux/built_in_ground.h"
#include "linux/embedded_pictures.h"
#include "scene/dib_decoder.h"

namespace {

std::optional<RgbImage> Decode(EmbeddedFile file) { return DecodeDib(file.data, file.size).image; }

}  // namespace

std::optional<RgbImage> ScenePictures::LoadCaptureImage(const char* path) {
  const auto is = [path](CaptureRole role) {
    return std::strcmp(path, kCaptureFilePaths[role]) == 0;
  };
  if (is(kDebrisTexture)) {
    return Decode(EmbeddedGlowPicture());
  }
  if (is(kGroundTexture)) {
    // The grabbed desktop is handed over once: the scene loads each picture once.
    if (desktop_) {
      std::optional<RgbImage> desktop = std::move(desktop_);
      desktop_.reset();
      return desktop;
    }
    return BuiltInGround();
  }
  if (is(kSkyTexture)) {
    return Decode(EmbeddedNebulaPicture());
  }
  if (is(kMeteorTexture)) {
    return Decode(EmbeddedEarthPicture());
  }
  return std::nullopt;
}
