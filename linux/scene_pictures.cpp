#include "linux/scene_pictures.h"

#include "linux/embedded_pictures.h"
#include "scene/built_in_ground.h"
#include "scene/dib_decoder.h"

namespace {

std::optional<RgbImage> Decode(EmbeddedFile file) { return DecodeDib(file.data, file.size).image; }

}  // namespace

std::optional<RgbImage> ScenePictures::LoadCaptureImage(CaptureRole role) {
  switch (role) {
    case kDebrisTexture:
      return Decode(EmbeddedGlowPicture());
    case kGroundTexture:
      // The grabbed desktop is handed over once: the scene loads each picture once.
      if (desktop_) {
        std::optional<RgbImage> desktop = std::move(desktop_);
        desktop_.reset();
        return desktop;
      }
      return BuiltInGround();
    case kSkyTexture:
      return Decode(EmbeddedNebulaPicture());
    case kMeteorTexture:
      return Decode(EmbeddedEarthPicture());
  }
  return std::nullopt;
}
