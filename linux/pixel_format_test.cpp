#include "linux/pixel_format.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Rgb = std::array<uint8_t, 3>;

Rgb Split(const PixelFormat& format, unsigned long pixel) {
  Rgb rgb{};
  format.Split(pixel, rgb.data());
  return rgb;
}

TEST(PixelFormatTest, TrueColourChannelsInEitherOrder) {
  const PixelFormat rgb{0xff0000, 0x00ff00, 0x0000ff};
  EXPECT_EQ(Split(rgb, 0x123456), (Rgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(Split(rgb, 0xff123456), (Rgb{0x12, 0x34, 0x56}));  // bits outside the masks
  const PixelFormat bgr{0x0000ff, 0x00ff00, 0xff0000};
  EXPECT_EQ(Split(bgr, 0x123456), (Rgb{0x56, 0x34, 0x12}));
  // 10 bits a channel keep their top 8.
  const PixelFormat deep{0x3ff00000, 0x000ffc00, 0x000003ff};
  EXPECT_EQ(Split(deep, (0x3ffu << 20) | (0x200u << 10) | 0x004u), (Rgb{0xff, 0x80, 0x01}));
}

TEST(PixelFormatTest, NarrowChannelsAreWidenedToTheFullRange) {
  const PixelFormat rgb565{0xf800, 0x07e0, 0x001f};
  EXPECT_EQ(Split(rgb565, 0xffff), (Rgb{255, 255, 255}));
  EXPECT_EQ(Split(rgb565, 0xf800), (Rgb{255, 0, 0}));
  EXPECT_EQ(Split(rgb565, 0x0000), (Rgb{0, 0, 0}));
  EXPECT_EQ(Split(rgb565, 0x8410), (Rgb{132, 130, 132}));  // 16/31, 32/63, 16/31
  const PixelFormat none{0, 0, 0};
  EXPECT_EQ(Split(none, 0xffffff), (Rgb{0, 0, 0}));
}

}  // namespace
