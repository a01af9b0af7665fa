#pragma once

#include <optional>
#include <string>

#include "scene/capture_textures.h"

// Reads a bitmap file whole and decodes it. Shows at most one message box (caption "Error", owned
// by the focus window) when the file cannot be opened or decoded. The path is in the ANSI code
// page, or wide.
std::optional<RgbImage> ReadDibFile(const char* path);
std::optional<RgbImage> ReadDibFile(const wchar_t* path);

// The renderer's capture loader: reads the role's capture file in "c:\k_vusa" (through ANSI
// calls), or in the folder the host named (through wide ones, so that any name works on a system
// of any language). A file that cannot be opened for reading is skipped without a message; any
// other goes to ReadDibFile.
class DibFileLoader final : public CaptureImageLoader {
 public:
  explicit DibFileLoader(std::optional<std::wstring> folder = std::nullopt)
      : folder_(std::move(folder)) {}

  std::optional<RgbImage> LoadCaptureImage(CaptureRole role) override;

 private:
  std::optional<std::wstring> folder_;
};
