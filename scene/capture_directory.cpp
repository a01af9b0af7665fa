#include "scene/capture_directory.h"

#include <fstream>
#include <iterator>

#include "scene/dib_decoder.h"

std::string CaptureFileInDirectory(const std::string& directory, CaptureRole role) {
  return directory + "/" + kCaptureFileNames[role];
}

std::optional<RgbImage> CaptureDirectoryLoader::LoadCaptureImage(CaptureRole role) {
  const std::string file = CaptureFileInDirectory(directory_, role);
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    return std::nullopt;
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                   std::istreambuf_iterator<char>()};
  DibDecodeResult result = DecodeDib(bytes.data(), bytes.size());
  if (!result.image) {
    std::string message = DibErrorMessage(result.error, file);
    if (!message.empty() && message.back() == '\n') {
      message.pop_back();
    }
    problems_.push_back(file + ": " + message);
  }
  return std::move(result.image);
}
