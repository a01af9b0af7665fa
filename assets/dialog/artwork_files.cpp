#include "artwork_files.h"

#include "bitmap_headers.h"

namespace {

constexpr std::uint32_t kDirectoryBytes = 6;
constexpr std::uint32_t kDirectoryEntryBytes = 16;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

void PutPaletteEntry(std::vector<std::uint8_t>& out, const Rgb& colour) {
  out.push_back(colour.blue);
  out.push_back(colour.green);
  out.push_back(colour.red);
  out.push_back(0);
}

// A 1-bit mask of 32 x 32, bottom row first: bit set where `set(x, y)` holds.
template <typename Predicate>
void PutMask(std::vector<std::uint8_t>& out, Predicate set) {
  for (int y = kCursorSize - 1; y >= 0; --y) {
    for (int byte = 0; byte < kCursorSize / 8; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if (set(byte * 8 + bit, y)) bits |= static_cast<std::uint8_t>(0x80 >> bit);
      }
      out.push_back(bits);
    }
  }
}

// The directory of an icon or cursor file holding one 32 x 32 image that follows it.
void PutDirectory(std::vector<std::uint8_t>& out, std::uint16_t type, std::uint8_t colourCount,
                  std::uint16_t field1, std::uint16_t field2, std::uint32_t imageBytes) {
  PutLittleEndian(out, 0, 2);
  PutLittleEndian(out, type, 2);
  PutLittleEndian(out, 1, 2);  // one image
  out.push_back(kCursorSize);
  out.push_back(kCursorSize);
  out.push_back(colourCount);
  out.push_back(0);
  PutLittleEndian(out, field1, 2);  // icon: planes; cursor: hot spot x
  PutLittleEndian(out, field2, 2);  // icon: bits per pixel; cursor: hot spot y
  PutLittleEndian(out, imageBytes, 4);
  PutLittleEndian(out, kDirectoryBytes + kDirectoryEntryBytes, 4);
}

}  // namespace

std::vector<std::uint8_t> BitmapFile(const Picture& picture) {
  const std::uint32_t rowBytes = BitmapRowBytes(picture.width, 24);
  std::vector<std::uint8_t> out = BitmapFileHeaders(picture.width, picture.height, 24, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& c = picture.at(x, y);
      out.push_back(c.blue);
      out.push_back(c.green);
      out.push_back(c.red);
    }
    out.resize(rowStart + rowBytes, 0);
  }
  return out;
}

std::vector<std::uint8_t> MonochromeCursorFile(const std::vector<CursorPixel>& pixels, int hotX,
                                               int hotY) {
  const auto pixel = [&](int x, int y) {
    return pixels[static_cast<std::size_t>(y * kCursorSize + x)];
  };
  const std::uint32_t maskBytes = BitmapRowBytes(kCursorSize, 1) * kCursorSize;
  const std::uint32_t imageBytes = kBitmapInfoHeaderBytes + 2 * 4 + 2 * maskBytes;
  std::vector<std::uint8_t> out;
  PutDirectory(out, kCursorType, 2, static_cast<std::uint16_t>(hotX),
               static_cast<std::uint16_t>(hotY), imageBytes);
  // The image header counts the colour (XOR) and transparency (AND) masks: twice the height.
  PutBitmapInfoHeader(out, kCursorSize, 2 * kCursorSize, 1, 2 * maskBytes, 2);
  PutPaletteEntry(out, {0, 0, 0});
  PutPaletteEntry(out, {255, 255, 255});
  // The screen is ANDed with the mask, then XORed with the colour: white and invert set the
  // colour bit, transparent and invert the mask bit.
  PutMask(out, [&](int x, int y) {
    return pixel(x, y) == CursorPixel::White || pixel(x, y) == CursorPixel::Invert;
  });
  PutMask(out, [&](int x, int y) {
    return pixel(x, y) == CursorPixel::Transparent || pixel(x, y) == CursorPixel::Invert;
  });
  return out;
}

std::vector<std::uint8_t> PaletteIconFile(const std::vector<Rgb>& palette,
                                          const std::vector<std::uint8_t>& indices,
                                          const std::vector<bool>& transparent) {
  const std::uint32_t colourBytes = BitmapRowBytes(kIconSize, 8) * kIconSize;
  const std::uint32_t maskBytes = BitmapRowBytes(kIconSize, 1) * kIconSize;
  const std::uint32_t imageBytes =
      kBitmapInfoHeaderBytes + kIconColours * 4 + colourBytes + maskBytes;
  std::vector<std::uint8_t> out;
  // A colour count of 0 in the directory means 256.
  PutDirectory(out, kIconType, 0, 1, 8, imageBytes);
  PutBitmapInfoHeader(out, kIconSize, 2 * kIconSize, 8, colourBytes + maskBytes, kIconColours);
  for (int i = 0; i < kIconColours; ++i) {
    PutPaletteEntry(out, i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)]
                                                              : Rgb{0, 0, 0});
  }
  for (int y = kIconSize - 1; y >= 0; --y) {
    for (int x = 0; x < kIconSize; ++x) {
      const std::size_t at = static_cast<std::size_t>(y * kIconSize + x);
      // Transparent pixels are black in the colour mask, so the screen shows unchanged.
      out.push_back(transparent[at] ? 0 : indices[at]);
    }
  }
  PutMask(out,
          [&](int x, int y) { return transparent[static_cast<std::size_t>(y * kIconSize + x)]; });
  return out;
}
