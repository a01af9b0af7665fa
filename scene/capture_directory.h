#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scene/capture_textures.h"

// Reads the capture files from a directory of the native file system instead of "c:\k_vusa",
// for the diagnostic tools: the debris glow, Valdorique1.bmp, is read from DIR/Valdorique1.bmp.
// A file that cannot be read gives no picture; one that cannot be decoded gives no picture and
// a line in problems().
class CaptureDirectoryLoader final : public CaptureImageLoader {
 public:
  explicit CaptureDirectoryLoader(std::string directory) : directory_(std::move(directory)) {}

  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;

  const std::vector<std::string>& problems() const { return problems_; }

 private:
  std::string directory_;
  std::vector<std::string> problems_;
};

// The file under `directory` that holds the picture of `role`: the role's capture file name.
std::string CaptureFileInDirectory(const std::string& directory, CaptureRole role);
