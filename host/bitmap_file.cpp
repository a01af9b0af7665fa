#include "host/bitmap_file.h"

#include <cstring>
#include <limits>

namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint32_t kCompressionAlphaBitfields = 6;
constexpr size_t kMaskBytes = 3 * 4;
constexpr size_t kPaletteEntryBytes = 4;
constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Bytes between the info header and the pixel rows.
std::optional<size_t> ColourTableBytes(uint32_t headerSize, uint16_t bitCount, uint32_t compression,
                                       uint32_t coloursUsed) {
  if (bitCount <= 8) {
    const uint32_t full = 1u << bitCount;
    const uint32_t entries = coloursUsed == 0 ? full : coloursUsed;
    if (entries > full) return std::nullopt;
    return size_t{entries} * kPaletteEntryBytes;
  }
  // A 40-byte header is followed by its three masks; the larger headers hold them inside.
  const bool masksFollow =
      headerSize == kInfoHeaderSize &&
      (compression == kCompressionBitfields || compression == kCompressionAlphaBitfields);
  const size_t masks = masksFollow ? kMaskBytes : 0;
  if (coloursUsed > 256) return std::nullopt;
  return masks + size_t{coloursUsed} * kPaletteEntryBytes;
}

}  // namespace

std::optional<std::vector<uint8_t>> BitmapFileFromPackedDib(const uint8_t* dib, size_t size) {
  if (dib == nullptr || size < kInfoHeaderSize) return std::nullopt;
  const uint32_t headerSize = ReadU32(dib);
  if (headerSize < kInfoHeaderSize || headerSize > size) return std::nullopt;
  const int32_t width = static_cast<int32_t>(ReadU32(dib + 4));
  const int32_t height = static_cast<int32_t>(ReadU32(dib + 8));
  const uint16_t bitCount = ReadU16(dib + 14);
  const uint32_t compression = ReadU32(dib + 16);
  const uint32_t coloursUsed = ReadU32(dib + 32);
  if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min()) {
    return std::nullopt;
  }
  const auto table = ColourTableBytes(headerSize, bitCount, compression, coloursUsed);
  if (!table || headerSize + *table > size) return std::nullopt;
  const size_t pixelOffset = headerSize + *table;

  const bool uncompressed = compression == kCompressionRgb ||
                            compression == kCompressionBitfields ||
                            compression == kCompressionAlphaBitfields;
  if (uncompressed) {
    const uint64_t rowBytes = ((uint64_t{static_cast<uint32_t>(width)} * bitCount + 31) / 32) * 4;
    const uint64_t rows = height < 0 ? uint64_t(-int64_t{height}) : uint64_t(height);
    if (rowBytes * rows > size - pixelOffset) return std::nullopt;
  }

  const uint64_t fileSize = uint64_t{kBitmapFileHeaderSize} + size;
  if (fileSize > std::numeric_limits<uint32_t>::max()) return std::nullopt;

  std::vector<uint8_t> file(static_cast<size_t>(fileSize));
  WriteU16(file.data(), kBitmapMagic);
  WriteU32(file.data() + 2, static_cast<uint32_t>(fileSize));
  WriteU32(file.data() + 10, static_cast<uint32_t>(kBitmapFileHeaderSize + pixelOffset));
  std::memcpy(file.data() + kBitmapFileHeaderSize, dib, size);
  return file;
}

std::vector<uint8_t> BlankPackedDib24(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  const size_t rowBytes = ((size_t(width) * 24 + 31) / 32) * 4;
  const size_t imageBytes = rowBytes * size_t(height);
  std::vector<uint8_t> dib(kInfoHeaderSize + imageBytes);
  WriteU32(dib.data(), kInfoHeaderSize);
  WriteU32(dib.data() + 4, static_cast<uint32_t>(width));
  WriteU32(dib.data() + 8, static_cast<uint32_t>(height));
  WriteU16(dib.data() + 12, 1);   // planes
  WriteU16(dib.data() + 14, 24);  // bits per pixel
  WriteU32(dib.data() + 16, kCompressionRgb);
  WriteU32(dib.data() + 20, static_cast<uint32_t>(imageBytes));
  return dib;
}
