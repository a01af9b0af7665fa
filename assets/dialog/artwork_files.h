#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Writers of the Windows picture files the dialog's artwork is kept in: 24-bit bitmaps, a
// monochrome cursor and a 256-colour icon. Pictures are given top row first.

struct Rgb {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // row by row, top row first
  Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A 24-bit BMP file, bottom row first as the format keeps it.
std::vector<std::uint8_t> BitmapFile(const Picture& picture);

// A cursor pixel: black, white, transparent (the screen shows through) or inverting.
enum class CursorPixel : std::uint8_t { Black, White, Transparent, Invert };

// A 32 x 32 monochrome .cur file with its hot spot. `pixels` holds 32 rows of 32, top row first.
std::vector<std::uint8_t> MonochromeCursorFile(const std::vector<CursorPixel>& pixels, int hotX,
                                               int hotY);

// A 32 x 32 .ico file with 256 palette colours and a transparency mask. `indices` holds 32 rows of
// 32 palette indices, top row first; `transparent` marks the pixels the desktop shows through.
std::vector<std::uint8_t> PaletteIconFile(const std::vector<Rgb>& palette,
                                          const std::vector<std::uint8_t>& indices,
                                          const std::vector<bool>& transparent);

inline constexpr int kCursorSize = 32;
inline constexpr int kIconSize = 32;
inline constexpr int kIconColours = 256;
