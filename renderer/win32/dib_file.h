#pragma once

#include <optional>

#include "scene/capture_textures.h"

// Reads a bitmap file through a read-only mapping and decodes it. Shows at most one message box
// (caption "Error", owned by the focus window) when the file cannot be opened or decoded.
std::optional<RgbImage> ReadDibFile(const char* path);

// The renderer's capture loader: reads the role's capture file in "c:\k_vusa". A file that cannot
// be opened for reading is skipped without a message; any other goes to ReadDibFile.
class DibFileLoader final : public CaptureImageLoader {
 public:
  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;
};
