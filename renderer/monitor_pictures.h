#pragma once

#include <array>
#include <optional>

#include "scene/capture_textures.h"

// The pictures of the primary monitor's scene, kept for the scenes on the other monitors: the
// capture files are read, and any trouble with them reported, once. Loading passes through to
// `source` and keeps a copy of every picture but the ground, which is each monitor's own.
class RememberedPictures final : public CaptureImageLoader {
 public:
  explicit RememberedPictures(CaptureImageLoader& source) : source_(source) {}
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;
  // The picture of `role` as the primary's scene loaded it; none for the ground, for a role not
  // yet loaded and for one whose picture did not load.
  const std::optional<RgbImage>& Remembered(CaptureRole role) const;

 private:
  CaptureImageLoader& source_;
  std::array<std::optional<RgbImage>, kCaptureFileCount> pictures_;
};

// True for a desktop capture that holds nothing to show: no pixels, or every pixel black, as a
// copy of a screen that could not be read comes back.
bool IsEmptyCapture(const RgbImage& desktop);

// The pictures of a scene on another monitor: that monitor's own desktop as the ground, or the
// built-in desktop where its capture failed or came back empty, and the debris, sky and meteor
// the primary's scene has. Each picture is given once, as the scene asks for each once.
class MonitorPictures final : public CaptureImageLoader {
 public:
  MonitorPictures(const RememberedPictures& shared, std::optional<RgbImage> desktop)
      : shared_(shared), desktop_(std::move(desktop)) {}
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;

 private:
  const RememberedPictures& shared_;
  std::optional<RgbImage> desktop_;
};
