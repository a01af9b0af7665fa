// The tool's parts: bitmap files the renderer's decoder reads back exactly, the PPM reader's
// refusals, area averaging and the 256-colour reduction.
#include <gtest/gtest.h>

#include <string>

#include "saver_picture_makers.h"
#include "scene/dib_decoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The decoder's rows are bottom first; the tool's pictures top first.
Rgb8 DecodedAt(const RgbImage& image, int x, int yFromTop) {
  const size_t i = (static_cast<size_t>(image.height - 1 - yFromTop) * image.width + x) * 3;
  return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
}

// Widths 1 to 5 need every amount of row padding, for both depths.
TEST(BitmapFiles, ReadBackExactlyThroughTheRenderersDecoderAtEveryRowPadding) {
  for (int width = 1; width <= 5; ++width) {
    const int height = 3;
    RgbPicture rgb{width, height, {}};
    PalettedPicture paletted{width, height, std::vector<Rgb8>(256), {}};
    for (int i = 0; i < 256; ++i) {
      paletted.palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    }
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        rgb.pixels.push_back({uint8_t(10 * x), uint8_t(50 * y), uint8_t(x + y)});
        paletted.indices.push_back(uint8_t(40 * y + x));
      }
    }
    const Bytes rgbFile = RgbBitmapFile(rgb);
    const Bytes palettedFile = PalettedBitmapFile(paletted);
    const DibDecodeResult rgbBack = DecodeDib(rgbFile.data(), rgbFile.size());
    const DibDecodeResult palettedBack = DecodeDib(palettedFile.data(), palettedFile.size());
    ASSERT_TRUE(rgbBack.image) << "width " << width;
    ASSERT_TRUE(palettedBack.image) << "width " << width;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(DecodedAt(*rgbBack.image, x, y), rgb.at(x, y)) << x << "," << y;
        EXPECT_EQ(DecodedAt(*palettedBack.image, x, y),
                  paletted.palette[paletted.indices[y * width + x]])
            << x << "," << y;
      }
    }
  }
}

TEST(ParsePpm, ReadsImageMagicksLayoutWithComments) {
  Bytes bytes = Text("P6\n# made by convert\n2 1\n255\n");
  bytes.insert(bytes.end(), {1, 2, 3, 250, 251, 252});
  std::string error;
  const auto picture = ParsePpm(bytes, error);
  ASSERT_TRUE(picture) << error;
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 1);
  EXPECT_EQ(picture->at(1, 0), (Rgb8{250, 251, 252}));
}

TEST(ParsePpm, RefusesWhatItCannotReadWithAReason) {
  const Bytes sixPixelBytes(6, 7);
  auto withPixels = [&](const std::string& header) {
    Bytes bytes = Text(header);
    bytes.insert(bytes.end(), sixPixelBytes.begin(), sixPixelBytes.end());
    return bytes;
  };
  const std::vector<Bytes> refused = {
      {},
      Text("P"),
      withPixels("P3\n2 1\n255\n"),               // plain-text PPM
      withPixels("P6\n2 1\n65535\n"),             // 16-bit samples
      withPixels("P6\n0 1\n255\n"),               // no pixels
      withPixels("P6\n2\n"),                      // header cut off
      withPixels("P6\n99999999999999 1\n255\n"),  // a side that would overflow
      withPixels("P6\n16385 1\n255\n"),           // above the largest side
      Text("P6\n3 1\n255\n\1\2\3\4\5\6"),         // pixel data cut short
      withPixels("P6\n2 1\n255"),                 // no byte between header and pixels
  };
  for (const Bytes& bytes : refused) {
    std::string error;
    EXPECT_FALSE(ParsePpm(bytes, error)) << std::string(bytes.begin(), bytes.end());
    EXPECT_FALSE(error.empty());
  }
}

TEST(AreaAverage, WeighsPartlyCoveredSourcePixelsByTheirShare) {
  // Three columns into two: each output pixel takes one whole pixel and half the middle one.
  const RgbPicture source{3, 1, {{0, 0, 0}, {100, 100, 100}, {200, 200, 200}}};
  const RgbPicture out = AreaAverage(source, 2, 1);
  EXPECT_EQ(out.at(0, 0), (Rgb8{33, 33, 33}));     // (0 + 50) / 1.5
  EXPECT_EQ(out.at(1, 0), (Rgb8{167, 167, 167}));  // (50 + 200) / 1.5
  // Whole blocks: the Earth map's 8 x 4 source pixels per output pixel.
  RgbPicture map{16, 8, std::vector<Rgb8>(128, Rgb8{10, 20, 30})};
  map.at(15, 7) = {138, 20, 30};
  const RgbPicture small = AreaAverage(map, 2, 2);
  EXPECT_EQ(small.at(0, 0), (Rgb8{10, 20, 30}));
  EXPECT_EQ(small.at(1, 1), (Rgb8{14, 20, 30}));  // 10 + 128 / 32
}

TEST(QuantizeTo256, KeepsAFewColoursExactlyAndStaysCloseWithMany) {
  RgbPicture few{4, 1, {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {255, 0, 0}}};
  const PalettedPicture exact = QuantizeTo256(few);
  ASSERT_EQ(exact.palette.size(), 256u);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(exact.palette[exact.indices[x]], few.at(x, 0));

  // 4096 colours spread over the cube, and one rare bright one that must keep its own entry.
  RgbPicture many{64, 64, {}};
  for (int i = 0; i < 4096; ++i) {
    many.pixels.push_back(
        {uint8_t((i % 16) * 8), uint8_t((i / 16 % 16) * 8), uint8_t(i / 256 * 8)});
  }
  many.at(5, 5) = {255, 255, 255};
  const PalettedPicture reduced = QuantizeTo256(many);
  ASSERT_EQ(reduced.indices.size(), many.pixels.size());
  int worst = 0;
  for (size_t i = 0; i < many.pixels.size(); ++i) {
    const Rgb8 a = many.pixels[i], b = reduced.palette[reduced.indices[i]];
    worst = std::max(
        {worst, std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
  }
  EXPECT_LE(worst, 24);
  EXPECT_EQ(reduced.palette[reduced.indices[5 * 64 + 5]], (Rgb8{255, 255, 255}));
}

}  // namespace
