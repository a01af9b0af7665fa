#include "scene/capture_directory.h"

#include <fstream>
#include <iterator>

#include "scene/dib_decoder.h"

std::string CaptureFileInDirectory(const std::string& directory, const std::string& capturePath) {
  const size_t separator = capturePath.find_last_of('\\');
  const std::string name =
      separator == std::string::npos ? capturePath : capturePath.substr(separator + 1);
  return directory + "/" + name;
}

std::optional<RgbImage> CaptureDirectoryLoader::LoadCaptureImage(const char* path) {
  const std::string file = CaptureFileInDirectory(directory_, path);
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
