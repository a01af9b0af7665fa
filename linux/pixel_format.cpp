#include "linux/pixel_format.h"

namespace {

constexpr int kByteBits = 8;
constexpr unsigned long kByteMax = 255;

uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = __builtin_ctzl(mask);
  const int bits = __builtin_popcountl(mask);
  const unsigned long value = (pixel & mask) >> shift;
  if (bits >= kByteBits) {
    return static_cast<uint8_t>(value >> (bits - kByteBits));
  }
  const unsigned long top = (1ul << bits) - 1;
  return static_cast<uint8_t>((value * kByteMax + top / 2) / top);
}

}  // namespace

void PixelFormat::Split(unsigned long pixel, uint8_t* rgb) const {
  rgb[0] = Channel(pixel, redMask);
  rgb[1] = Channel(pixel, greenMask);
  rgb[2] = Channel(pixel, blueMask);
}
