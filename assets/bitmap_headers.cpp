#include "bitmap_headers.h"

namespace {

constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

}  // namespace

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t BitmapRowBytes(int width, int bitsPerPixel) {
  return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void PutBitmapInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bitsPerPixel,
                         std::uint32_t imageBytes, std::uint32_t coloursUsed) {
  PutLittleEndian(out, kBitmapInfoHeaderBytes, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);  // positive: bottom row first
  PutLittleEndian(out, 1, 2);                                   // planes
  PutLittleEndian(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
  PutLittleEndian(out, 0, 4);  // uncompressed
  PutLittleEndian(out, imageBytes, 4);
  PutLittleEndian(out, kPixelsPerMetre, 4);
  PutLittleEndian(out, kPixelsPerMetre, 4);
  PutLittleEndian(out, coloursUsed, 4);
  PutLittleEndian(out, 0, 4);  // all colours important
}

std::vector<std::uint8_t> BitmapFileHeaders(int width, int height, int bitsPerPixel,
                                            std::uint32_t paletteEntries) {
  const std::uint32_t pixelBytes =
      BitmapRowBytes(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
  const std::uint32_t offset =
      kBitmapFileHeaderBytes + kBitmapInfoHeaderBytes + paletteEntries * kBitmapPaletteEntryBytes;
  std::vector<std::uint8_t> out;
  out.reserve(offset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, offset + pixelBytes, 4);
  PutLittleEndian(out, 0, 4);  // reserved
  PutLittleEndian(out, offset, 4);
  PutBitmapInfoHeader(out, width, height, bitsPerPixel, pixelBytes, paletteEntries);
  return out;
}
