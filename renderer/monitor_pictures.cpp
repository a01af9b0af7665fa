#include "renderer/monitor_pictures.h"

#include <algorithm>

#include "scene/built_in_ground.h"

namespace {

bool IsCaptureRole(CaptureRole role) { return role >= 0 && role < kCaptureFileCount; }

}  // namespace

std::optional<RgbImage> RememberedPictures::LoadCaptureImage(CaptureRole role) {
  std::optional<RgbImage> picture = source_.LoadCaptureImage(role);
  if (IsCaptureRole(role) && role != kGroundTexture) pictures_[role] = picture;
  return picture;
}

const std::optional<RgbImage>& RememberedPictures::Remembered(CaptureRole role) const {
  static const std::optional<RgbImage> kNone;
  return IsCaptureRole(role) ? pictures_[role] : kNone;
}

bool IsEmptyCapture(const RgbImage& desktop) {
  return desktop.width <= 0 || desktop.height <= 0 ||
         std::all_of(desktop.pixels.begin(), desktop.pixels.end(),
                     [](uint8_t byte) { return byte == 0; });
}

std::optional<RgbImage> MonitorPictures::LoadCaptureImage(CaptureRole role) {
  if (role != kGroundTexture) return shared_.Remembered(role);
  std::optional<RgbImage> desktop = std::move(desktop_);
  desktop_.reset();
  if (!desktop || IsEmptyCapture(*desktop)) return BuiltInGround();
  return desktop;
}
