// saver-pictures OUTDIR EARTH.ppm: writes the saver window's built-in pictures, glow.bmp,
// nebula.bmp and earth.bmp, into OUTDIR. EARTH.ppm is the equirectangular Earth map the Earth
// picture is made from, as a binary PPM (ImageMagick's `convert earth.jpg -depth 8 ppm:-`).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "saver_picture_makers.h"

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 1;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) std::fprintf(stderr, "saver-pictures: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: saver-pictures OUTDIR EARTH.ppm\n");
    return kUsage;
  }
  const std::string folder = argv[1];
  const std::string mapPath = argv[2];

  std::vector<uint8_t> mapBytes;
  if (!ReadWholeFile(mapPath, mapBytes)) {
    std::fprintf(stderr, "saver-pictures: cannot read %s\n", mapPath.c_str());
    return kFailed;
  }
  std::string problem;
  const std::optional<RgbPicture> map = ParsePpm(mapBytes, problem);
  if (!map) {
    std::fprintf(stderr, "saver-pictures: %s: %s\n", mapPath.c_str(), problem.c_str());
    return kFailed;
  }

  const bool written = WriteWholeFile(folder + "/glow.bmp", PalettedBitmapFile(MakeGlow())) &&
                       WriteWholeFile(folder + "/nebula.bmp", PalettedBitmapFile(MakeNebula())) &&
                       WriteWholeFile(folder + "/earth.bmp", RgbBitmapFile(MakeEarth(*map)));
  return written ? 0 : kFailed;
}
