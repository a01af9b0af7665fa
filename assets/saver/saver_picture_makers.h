#pragma once

// The saver window's three built-in pictures, made from fixed seeds so that every run of the
// tool writes the same bytes: the debris glow, the nebula sky and the Earth map with clouds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Rgb8 {
  uint8_t red = 0, green = 0, blue = 0;
};

inline bool operator==(Rgb8 a, Rgb8 b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// A true-colour picture, top row first, rows without gaps.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb8> pixels;

  Rgb8& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgb8& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A picture of palette indices, top row first.
struct PalettedPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb8> palette;  // always 256 entries
  std::vector<uint8_t> indices;
};

constexpr int kGlowSide = 128;
constexpr int kNebulaSide = 256;
constexpr int kEarthSide = 256;

// 128 x 128 grey levels on a grey palette: a soft white crescent, pure black at every edge.
PalettedPicture MakeGlow();

// 256 x 256, 256 colours: a nebula over stars, laid out for a sphere (longitude across,
// latitude down), so that it has no seam where the sphere closes and no pinch at its poles.
PalettedPicture MakeNebula();

// 256 x 256: the equirectangular `map` (any size, north up) area-averaged down, with clouds.
RgbPicture MakeEarth(const RgbPicture& map);

// The picture scaled to width x height by area averaging: every output pixel is the mean of the
// source area it covers, partly covered source pixels counting by their share.
RgbPicture AreaAverage(const RgbPicture& source, int width, int height);

// A median-cut palette of 256 colours for `picture` and each pixel's nearest entry.
PalettedPicture QuantizeTo256(const RgbPicture& picture);

// Windows bitmap files, bottom row first, uncompressed, with a 40-byte info header.
std::vector<uint8_t> PalettedBitmapFile(const PalettedPicture& picture);
std::vector<uint8_t> RgbBitmapFile(const RgbPicture& picture);

// A binary PPM (P6, maxval 255) as ImageMagick writes it; anything else is refused with a
// reason in `error`. Sides above kLargestPpmSide are refused too.
constexpr int kLargestPpmSide = 16384;
std::optional<RgbPicture> ParsePpm(const std::vector<uint8_t>& bytes, std::string& error);
