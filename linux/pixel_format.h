#pragma once

#include <cstdint>

// How an X visual packs red, green and blue into a pixel value: one mask per channel.
struct PixelFormat {
  unsigned long redMask;
  unsigned long greenMask;
  unsigned long blueMask;

  // Writes the pixel's red, green and blue as bytes, each channel widened or narrowed to 8 bits.
  void Split(unsigned long pixel, uint8_t* rgb) const;
};
