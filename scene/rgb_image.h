#pragma once

#include <cstdint>
#include <vector>

// A decoded picture: tightly packed red, green, blue bytes, rows without gaps, the bottom row
// first (the row order OpenGL expects for texture images).
struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // height * width * 3 bytes
};
