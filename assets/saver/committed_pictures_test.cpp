// The committed pictures as the host ships them and the renderer reads them: their headers, and
// what a person would notice if they were wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "scene/dib_decoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadCommitted(const std::string& name) {
  std::ifstream file(std::string(MIREBORA_SAVER_PICTURES_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t U32At(const Bytes& b, size_t offset) {
  uint32_t value = 0;
  std::memcpy(&value, &b[offset], 4);
  return value;
}

uint16_t U16At(const Bytes& b, size_t offset) {
  return static_cast<uint16_t>(b[offset] | b[offset + 1] << 8);
}

// The header fields the host copies and the renderer's decoder relies on.
void ExpectPlainBitmap(const Bytes& file, int32_t side_x, int32_t side_y, uint16_t bitCount,
                       uint32_t paletteEntries) {
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32At(file, 2), file.size());
  EXPECT_EQ(U32At(file, 14), 40u) << "a 40-byte info header";
  EXPECT_EQ(static_cast<int32_t>(U32At(file, 18)), side_x);
  EXPECT_EQ(static_cast<int32_t>(U32At(file, 22)), side_y) << "bottom row first";
  EXPECT_EQ(U16At(file, 26), 1);
  EXPECT_EQ(U16At(file, 28), bitCount);
  EXPECT_EQ(U32At(file, 30), 0u) << "uncompressed";
  EXPECT_EQ(PaletteEntryCount(&file[14], file.size() - 14), paletteEntries);
  const uint32_t rowBytes = (static_cast<uint32_t>(side_x) * bitCount + 31) / 32 * 4;
  EXPECT_EQ(U32At(file, 10), 54 + 4 * paletteEntries);
  EXPECT_EQ(file.size(), 54 + 4 * paletteEntries + rowBytes * static_cast<uint32_t>(side_y));
}

RgbImage Decoded(const Bytes& file) {
  const DibDecodeResult result = DecodeDib(file.data(), file.size());
  EXPECT_EQ(result.error, DibError::None);
  return result.image.value_or(RgbImage{});
}

// A pixel of a decoded picture by its position from the top, as one looks at it.
struct Pixel {
  int red, green, blue;
  int Luma() const { return (299 * red + 587 * green + 114 * blue) / 1000; }
};

Pixel At(const RgbImage& image, int x, int yFromTop) {
  const size_t i = (static_cast<size_t>(image.height - 1 - yFromTop) * image.width + x) * 3;
  return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
}

double MeanLuma(const RgbImage& image, int left, int top, int right, int bottom) {
  double sum = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) sum += At(image, x, y).Luma();
  }
  return sum / ((right - left) * (bottom - top));
}

// Mean difference between two columns, over all three channels.
double ColumnDifference(const RgbImage& image, int a, int b) {
  double sum = 0;
  for (int y = 0; y < image.height; ++y) {
    const Pixel p = At(image, a, y), q = At(image, b, y);
    sum += std::abs(p.red - q.red) + std::abs(p.green - q.green) + std::abs(p.blue - q.blue);
  }
  return sum / image.height;
}

TEST(CommittedGlow, IsAGreyCrescentOnBlackThatTheRendererReads) {
  const Bytes file = ReadCommitted("glow.bmp");
  ExpectPlainBitmap(file, 128, 128, 8, 256);
  const RgbImage glow = Decoded(file);
  ASSERT_EQ(glow.width, 128);
  ASSERT_EQ(glow.height, 128);

  int brightest = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const Pixel p = At(glow, x, y);
      ASSERT_TRUE(p.red == p.green && p.green == p.blue) << "grey at " << x << "," << y;
      brightest = std::max(brightest, p.red);
      // Added onto the scene, any light on the border would outline the square.
      const int border = std::min({x, y, 127 - x, 127 - y});
      if (border < 3) ASSERT_EQ(p.red, 0) << "black border at " << x << "," << y;
    }
  }
  EXPECT_EQ(brightest, 255) << "a white core";
  // A crescent: lit on the lower left of the middle, dark in the bite on the upper right, and
  // dark outside the disc.
  EXPECT_GT(At(glow, 40, 88).red, 200);
  EXPECT_LT(At(glow, 80, 51).red, 10);
  EXPECT_LT(At(glow, 64, 64).red, 80);
  EXPECT_LT(At(glow, 8, 8).red, 10);
}

TEST(CommittedNebula, IsA256ColourSkyWithStarsAndNoSeam) {
  const Bytes file = ReadCommitted("nebula.bmp");
  ExpectPlainBitmap(file, 256, 256, 8, 256);
  const RgbImage sky = Decoded(file);
  ASSERT_EQ(sky.width, 256);
  ASSERT_EQ(sky.height, 256);

  std::set<uint32_t> colours;
  int bluish = 0, reddish = 0, dark = 0, stars = 0;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const Pixel p = At(sky, x, y);
      colours.insert(uint32_t(p.red) << 16 | uint32_t(p.green) << 8 | uint32_t(p.blue));
      bluish += p.blue > p.red + 40;
      reddish += p.red > p.blue + 20;
      dark += p.Luma() < 24;
      // A star: a light point brighter than the eight pixels round it.
      if (p.Luma() < 120 || y == 0 || y == 255) continue;
      bool peak = true;
      for (int dy = -1; dy <= 1 && peak; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if ((dx || dy) && At(sky, (x + dx + 256) % 256, y + dy).Luma() >= p.Luma()) peak = false;
        }
      }
      stars += peak;
    }
  }
  EXPECT_GT(colours.size(), 200u) << "the palette is put to use";
  EXPECT_GT(bluish, 2000) << "blue gas";
  EXPECT_GT(reddish, 1000) << "red gas";
  EXPECT_GT(dark, 256 * 256 / 5) << "dark space between the clouds";
  EXPECT_GT(stars, 150);
  // The sphere closes where the last column meets the first: no edge there, unlike between
  // columns half the sky apart.
  EXPECT_LT(ColumnDifference(sky, 255, 0) * 3, ColumnDifference(sky, 0, 128));
}

TEST(CommittedEarth, IsATrueColourMapWithPolesLighterThanTheTropicalSea) {
  const Bytes file = ReadCommitted("earth.bmp");
  ExpectPlainBitmap(file, 256, 256, 24, 0);
  const RgbImage earth = Decoded(file);
  ASSERT_EQ(earth.width, 256);
  ASSERT_EQ(earth.height, 256);

  // Longitude 170 W to 120 W, latitude 15 N to 15 S: the open Pacific.
  const int west = 7, east = 43, north = 107, south = 149;
  const double pacific = MeanLuma(earth, west, north, east, south);
  double blue = 0, red = 0;
  for (int y = north; y < south; ++y) {
    for (int x = west; x < east; ++x) {
      blue += At(earth, x, y).blue;
      red += At(earth, x, y).red;
    }
  }
  EXPECT_GT(blue, red * 1.5) << "a blue ocean";
  EXPECT_GT(MeanLuma(earth, 0, 0, 256, 8), pacific + 60) << "Arctic ice and cloud";
  EXPECT_GT(MeanLuma(earth, 0, 248, 256, 256), pacific + 60) << "Antarctica";
  // Sahara, 20 N 10 E: bright sand, more red than blue.
  const Pixel sahara = At(earth, 135, 100);
  EXPECT_GT(sahara.red, sahara.blue);
  EXPECT_LT(ColumnDifference(earth, 255, 0) * 2, ColumnDifference(earth, 0, 128));
}

TEST(CommittedPreview, IsA152By112TrueColourStill) {
  const Bytes file = ReadCommitted("preview.bmp");
  ExpectPlainBitmap(file, 152, 112, 24, 0);
  const RgbImage still = Decoded(file);
  ASSERT_EQ(still.width, 152);
  ASSERT_EQ(still.height, 112);
  std::set<uint32_t> colours;
  int dark = 0;
  for (int y = 0; y < 112; ++y) {
    for (int x = 0; x < 152; ++x) {
      const Pixel p = At(still, x, y);
      colours.insert(uint32_t(p.red) << 16 | uint32_t(p.green) << 8 | uint32_t(p.blue));
      dark += p.Luma() < 40;
    }
  }
  EXPECT_GT(colours.size(), 2000u) << "a rendered scene, not a flat fill";
  EXPECT_GT(dark, 152 * 112 / 4) << "mostly dark space";
}

}  // namespace
