// dib-decode IN.bmp OUT.ppm: decodes a bitmap file as the renderer does and writes the picture
// as a binary PPM (top row first). A refused file prints the renderer's message and exits 1.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "scene/dib_decoder.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  uint8_t buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  return ok;
}

bool WritePpm(const char* path, const RgbImage& image) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
  const size_t rowBytes = static_cast<size_t>(image.width) * 3;
  for (int32_t row = image.height - 1; row >= 0; --row) {
    std::fwrite(image.pixels.data() + rowBytes * row, 1, rowBytes, file);
  }
  const bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: dib-decode IN.bmp OUT.ppm\n";
    return kExitUsage;
  }
  const char* inPath = argv[1];
  const char* outPath = argv[2];
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(inPath, bytes)) {
    std::cerr << "dib-decode: cannot open " << inPath << "\n";
    return kExitUsage;
  }
  const DibDecodeResult result = DecodeDib(bytes.data(), bytes.size());
  if (!result.image) {
    std::string message = DibErrorMessage(result.error, inPath);
    if (message.empty() || message.back() != '\n') message += '\n';
    std::cout << message;
    return kExitRefused;
  }
  if (!WritePpm(outPath, *result.image)) {
    std::cerr << "dib-decode: cannot write " << outPath << "\n";
    return kExitUsage;
  }
  return 0;
}
