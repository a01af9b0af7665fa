// dib-seeds DIR: writes a seed corpus for the bitmap decoder's fuzzer: one small file of every
// layout the decoder reads, and damaged ones that reach each of its refusals and clipping paths.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "scene/testing/dib_samples.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int32_t kSmallDesktopWidth = 64;
constexpr int32_t kSmallDesktopHeight = 48;
constexpr size_t kInfoHeaderSizeField = 14;  // in a "BM" file
constexpr size_t kInfoHeightField = 22;

struct Seed {
  std::string name;
  Bytes bytes;
};

SampleLayout RleLayout(uint16_t bitCount, SampleCompression compression) {
  SampleLayout layout;
  layout.bitCount = bitCount;
  layout.compression = compression;
  layout.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  layout.coloursUsed = 4;
  return layout;
}

void Patch32(Bytes& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Files the decoder must refuse or take only in part.
std::vector<Seed> DamagedSeeds(const std::vector<NamedSample>& catalogue) {
  const Bytes& plain24 = std::find_if(catalogue.begin(), catalogue.end(), [](const NamedSample& s) {
                           return s.name == "bm-info-24bit";
                         })->file;
  std::vector<Seed> seeds;
  Bytes truncated = plain24;
  truncated.resize(truncated.size() / 2);
  seeds.push_back({"truncated-24bit", truncated});
  Bytes newerHeader = plain24;
  newerHeader.resize(newerHeader.size() + 124);
  Patch32(newerHeader, kInfoHeaderSizeField, 124);
  seeds.push_back({"header-124", newerHeader});
  Bytes huge = plain24;
  Patch32(huge, kInfoHeightField, 0x7FFFFFFF);
  seeds.push_back({"huge-height", huge});
  seeds.push_back({"bm-too-short", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40}});
  SampleLayout tableless;
  tableless.bitCount = 8;
  seeds.push_back({"table-past-end", BuildDibWithPixelData(tableless, 2, 2, Bytes(8))});
  SampleLayout twoBit = tableless;
  twoBit.bitCount = 2;
  twoBit.coloursUsed = 1;
  twoBit.palette = {0xFFFFFF};
  seeds.push_back({"2bit", BuildDibWithPixelData(twoBit, 2, 2, Bytes(8))});

  // Run-length streams with deltas, runs past the row end, a cut absolute run and no end.
  seeds.push_back(
      {"rle8-escapes", BuildDibWithPixelData(RleLayout(8, SampleCompression::Rle8), 4, 3,
                                             {9, 1, 0, 0, 0, 3,   1,   2, 3, 0, 0, 2, 1,
                                              1, 2, 3, 0, 2, 200, 200, 1, 1, 0, 5, 1})});
  seeds.push_back(
      {"rle4-escapes",
       BuildDibWithPixelData(RleLayout(4, SampleCompression::Rle4), 5, 2,
                             {7, 0x12, 0, 0, 0, 5, 0x12, 0x31, 0x20, 0, 0, 2, 1, 0, 0, 1})});
  SampleLayout topDownRle = RleLayout(8, SampleCompression::Rle8);
  topDownRle.topDown = true;
  seeds.push_back({"rle8-topdown", BuildDibWithPixelData(topDownRle, 2, 2, {2, 1, 0, 1})});
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: dib-seeds DIR\n";
    return kExitUsage;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::cerr << "dib-seeds: cannot create " << dir.string() << ": " << error.message() << "\n";
    return kExitFailed;
  }

  const std::vector<NamedSample> catalogue = SampleCatalogue();
  std::vector<Seed> seeds = DamagedSeeds(catalogue);
  for (const NamedSample& sample : catalogue) seeds.push_back({sample.name, sample.file});
  SampleLayout desktop;
  desktop.bitCount = 8;
  desktop.compression = SampleCompression::Rle8;
  desktop.palette = DesktopPalette();
  seeds.push_back(
      {"desktop-rle8", BuildDib(DesktopPicture(kSmallDesktopWidth, kSmallDesktopHeight), desktop)});

  for (const Seed& seed : seeds) {
    const std::filesystem::path path = dir / (seed.name + ".bmp");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(seed.bytes.data()),
              static_cast<std::streamsize>(seed.bytes.size()));
    if (!out) {
      std::cerr << "dib-seeds: cannot write " << path.string() << "\n";
      return kExitFailed;
    }
  }
  std::cout << "dib-seeds: " << seeds.size() << " files in " << dir.string() << "\n";
  return 0;
}
