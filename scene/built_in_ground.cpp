#include "scene/built_in_ground.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Colour {
  uint8_t red, green, blue;
};

// A rectangle in screen coordinates, top-left origin, both corners inside.
struct Box {
  int left, top, right, bottom;
  Colour colour;
};

constexpr Colour kWallpaperTop = {0x2f, 0x6d, 0xb5};
constexpr Colour kWallpaperBottom = {0x0c, 0x2f, 0x5c};

// Drawn in order, later boxes over earlier ones.
constexpr std::array<Box, 24> kBoxes = {{
    // icons: a light frame round a coloured square
    {24, 24, 72, 72, {0x9f, 0xb8, 0xd8}},
    {25, 25, 71, 71, {0xff, 0xff, 0xff}},
    {30, 30, 66, 66, {0xf2, 0xc1, 0x4e}},
    {24, 104, 72, 152, {0x9f, 0xb8, 0xd8}},
    {25, 105, 71, 151, {0xff, 0xff, 0xff}},
    {30, 110, 66, 146, {0x7f, 0xb0, 0x6a}},
    {24, 184, 72, 232, {0x9f, 0xb8, 0xd8}},
    {25, 185, 71, 231, {0xff, 0xff, 0xff}},
    {30, 190, 66, 226, {0xd6, 0x5a, 0x4a}},
    // a text window: title bar and lines of text
    {180, 90, 640, 420, {0xf4, 0xf4, 0xf0}},
    {180, 90, 640, 118, {0x2a, 0x58, 0xa8}},
    {196, 140, 624, 156, {0xc8, 0xd4, 0xe4}},
    {196, 172, 560, 188, {0xc8, 0xd4, 0xe4}},
    {196, 204, 600, 220, {0xc8, 0xd4, 0xe4}},
    {196, 236, 520, 252, {0xc8, 0xd4, 0xe4}},
    // a picture window: title bar and a sky (the mountains are drawn after the boxes)
    {520, 300, 940, 640, {0xe8, 0xe6, 0xda}},
    {520, 300, 940, 328, {0x3c, 0x7a, 0x3c}},
    {540, 348, 920, 620, {0x8f, 0xc0, 0xe8}},
    // the taskbar: start button and two task buttons
    {0, 728, 1023, 767, {0x20, 0x3a, 0x5c}},
    {0, 728, 110, 767, {0x3c, 0x9a, 0x3c}},
    {130, 734, 330, 762, {0x4a, 0x6a, 0x94}},
    {340, 734, 540, 762, {0x4a, 0x6a, 0x94}},
    // a clock on the taskbar
    {960, 738, 1012, 758, {0x2c, 0x4c, 0x74}},
    {964, 746, 1008, 750, {0xc8, 0xd4, 0xe4}},
}};

// The mountains in the picture window: a polyline of peaks over the window's bottom edge.
constexpr std::array<std::array<int, 2>, 5> kMountains = {{
    {540, 620},
    {650, 470},
    {730, 560},
    {800, 440},
    {920, 620},
}};
constexpr Colour kMountainColour = {0x2d, 0x5c, 0x8a};

class Canvas {
 public:
  Canvas() {
    image_.width = kWidth;
    image_.height = kHeight;
    image_.pixels.resize(static_cast<size_t>(kWidth) * kHeight * 3);
  }

  // Screen coordinates, top-left origin; the picture keeps its bottom row first.
  void Set(int x, int y, Colour colour) {
    uint8_t* pixel =
        &image_
             .pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + static_cast<size_t>(x)) * 3];
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
  }

  RgbImage Take() { return std::move(image_); }

 private:
  RgbImage image_;
};

uint8_t Mix(uint8_t from, uint8_t to, int y) {
  return static_cast<uint8_t>(from + (to - from) * y / (kHeight - 1));
}

// Height of the mountains' outline at column x, by straight lines between the peaks.
int MountainTop(int x) {
  for (size_t i = 1; i < kMountains.size(); ++i) {
    const auto& [x0, y0] = kMountains[i - 1];
    const auto& [x1, y1] = kMountains[i];
    if (x <= x1) {
      return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
    }
  }
  return kMountains.back()[1];
}

}  // namespace

RgbImage BuiltInGround() {
  Canvas canvas;
  for (int y = 0; y < kHeight; ++y) {
    const Colour colour = {Mix(kWallpaperTop.red, kWallpaperBottom.red, y),
                           Mix(kWallpaperTop.green, kWallpaperBottom.green, y),
                           Mix(kWallpaperTop.blue, kWallpaperBottom.blue, y)};
    for (int x = 0; x < kWidth; ++x) {
      canvas.Set(x, y, colour);
    }
  }
  for (const Box& box : kBoxes) {
    for (int y = box.top; y <= box.bottom; ++y) {
      for (int x = box.left; x <= box.right; ++x) {
        canvas.Set(x, y, box.colour);
      }
    }
  }
  const int mountainsBottom = kMountains.front()[1];
  for (int x = kMountains.front()[0]; x <= kMountains.back()[0]; ++x) {
    for (int y = MountainTop(x); y <= mountainsBottom; ++y) {
      canvas.Set(x, y, kMountainColour);
    }
  }
  return canvas.Take();
}
