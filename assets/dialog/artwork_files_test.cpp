#include "artwork_files.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Read(const std::vector<std::uint8_t>& bytes, size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + static_cast<size_t>(i));
  return value;
}

// The directory of an icon or cursor file: 6 bytes, then one 16-byte entry; the image follows.
constexpr size_t kImage = 22;
constexpr size_t kHeader = 40;

TEST(ArtworkFiles, BitmapRowsArePaddedAndStoredBottomUp) {
  Picture picture{
      3, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {16, 17, 18}}};
  const std::vector<std::uint8_t> file = BitmapFile(picture);
  ASSERT_EQ(file.size(), 14u + 40u + 2u * 12u);  // 9 bytes a row padded to 12
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(Read(file, 2, 4), file.size());
  EXPECT_EQ(Read(file, 10, 4), 54u);
  EXPECT_EQ(Read(file, 18, 4), 3u);
  EXPECT_EQ(Read(file, 22, 4), 2u);
  EXPECT_EQ(Read(file, 28, 2), 24u);
  // The first stored row is the bottom one, blue first.
  EXPECT_EQ(file[54], 12);
  EXPECT_EQ(file[55], 11);
  EXPECT_EQ(file[56], 10);
  EXPECT_EQ(file[54 + 9], 0);  // padding
  EXPECT_EQ(file[54 + 12], 3);
}

TEST(ArtworkFiles, CursorCarriesItsHotSpotAndBothMasks) {
  std::vector<CursorPixel> pixels(kCursorSize * kCursorSize, CursorPixel::Transparent);
  pixels[0] = CursorPixel::Black;  // top left
  pixels[1] = CursorPixel::White;  // next to it
  pixels[2] = CursorPixel::Invert;
  const std::vector<std::uint8_t> file = MonochromeCursorFile(pixels, 12, 10);
  EXPECT_EQ(Read(file, 2, 2), 2u);  // a cursor
  EXPECT_EQ(Read(file, 4, 2), 1u);
  EXPECT_EQ(file[6], 32);
  EXPECT_EQ(file[7], 32);
  EXPECT_EQ(Read(file, 10, 2), 12u);  // hot spot x
  EXPECT_EQ(Read(file, 12, 2), 10u);  // hot spot y
  EXPECT_EQ(Read(file, 14, 4), file.size() - kImage);
  EXPECT_EQ(Read(file, 18, 4), kImage);
  EXPECT_EQ(Read(file, kImage + 8, 4), 64u);  // both masks' height
  EXPECT_EQ(Read(file, kImage + 14, 2), 1u);  // one bit a pixel
  // Colour mask, then AND mask, 4 bytes a row, bottom row first: the top row is the last.
  const size_t colour = kImage + kHeader + 8;
  const size_t mask = colour + 128;
  EXPECT_EQ(file[colour + 124], 0b01100000);  // white and invert set the colour bit
  EXPECT_EQ(file[mask + 124], 0b00111111);    // invert and transparent set the mask bit
  EXPECT_EQ(file[mask], 0xFF);                // the bottom row is all transparent
  EXPECT_EQ(file.size(), colour + 256);
}

TEST(ArtworkFiles, IconHas256ColoursAndATransparencyMask) {
  std::vector<Rgb> palette{{0, 0, 0}, {255, 0, 0}};
  std::vector<std::uint8_t> indices(kIconSize * kIconSize, 1);
  std::vector<bool> transparent(kIconSize * kIconSize, false);
  transparent[0] = true;  // top left
  const std::vector<std::uint8_t> file = PaletteIconFile(palette, indices, transparent);
  EXPECT_EQ(Read(file, 2, 2), 1u);  // an icon
  EXPECT_EQ(file[8], 0);            // 256 colours
  EXPECT_EQ(Read(file, 10, 2), 1u);
  EXPECT_EQ(Read(file, 12, 2), 8u);
  EXPECT_EQ(Read(file, 14, 4), file.size() - kImage);
  EXPECT_EQ(Read(file, kImage + 14, 2), 8u);
  EXPECT_EQ(Read(file, kImage + 32, 4), 256u);
  const size_t colours = kImage + kHeader;
  EXPECT_EQ(file[colours + 4 + 2], 255);  // entry 1: red, stored blue, green, red
  EXPECT_EQ(file[colours + 8], 0);        // unused entries are black
  const size_t pixels = colours + 256 * 4;
  // Top row stored last; the transparent pixel is black (index 0) under a set mask bit.
  EXPECT_EQ(file[pixels + 31 * 32], 0);
  EXPECT_EQ(file[pixels + 31 * 32 + 1], 1);
  const size_t mask = pixels + 32 * 32;
  EXPECT_EQ(file[mask + 31 * 4], 0x80);
  EXPECT_EQ(file[mask], 0);
  EXPECT_EQ(file.size(), mask + 128);
}

}  // namespace
