#include "scene/dib_decoder.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>

namespace {

// "BM" read as a little-endian 16-bit value.
constexpr uint16_t kFileSignature = 0x4D42;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetField = 10;

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kCoreEntrySize = 3;  // blue, green, red
constexpr size_t kInfoEntrySize = 4;  // blue, green, red, reserved
constexpr size_t kBitFieldMasksSize = 12;

// Field offsets inside the header, core (12-byte) and info (40-byte).
constexpr size_t kCoreWidth = 4;
constexpr size_t kCoreHeight = 6;
constexpr size_t kCoreBitCount = 10;
constexpr size_t kInfoWidth = 4;
constexpr size_t kInfoHeight = 8;
constexpr size_t kInfoBitCount = 14;
constexpr size_t kInfoCompression = 16;
constexpr size_t kInfoImageSize = 20;
constexpr size_t kInfoColoursUsed = 32;

// Colour-table entries of the indexed bit counts.
constexpr std::pair<uint16_t, uint16_t> kTableEntries[] = {{1, 2}, {4, 16}, {8, 256}};

enum Compression : uint32_t { kUncompressed = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// The 16- and 32-bit layouts when no bit-field masks are given: 5-5-5 and 8-8-8.
constexpr std::array<uint32_t, 3> kMasks16 = {0x7C00, 0x03E0, 0x001F};
constexpr std::array<uint32_t, 3> kMasks32 = {0xFF0000, 0x00FF00, 0x0000FF};

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

int32_t ReadS32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }

using Rgb = std::array<uint8_t, 3>;

// Every index a pixel of up to 8 bits can hold; indices past the colour table stay black.
using Palette = std::array<Rgb, 256>;

// How the pixel bytes are turned into colours.
enum class PixelKind { Indexed, Bgr24, Masked, Rle8, Rle4 };

// The header fields the conversion needs, widened to 64 bits so that no size computation
// can overflow.
struct WorkingHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top row first
  uint32_t bitCount = 0;
  uint32_t compression = kUncompressed;
  uint32_t imageSize = 0;  // 0: not given
};

// Every bit count and compression the decoder converts; all others are refused.
struct AcceptedFormat {
  uint32_t compression;
  uint32_t bitCount;
  PixelKind kind;
};
constexpr AcceptedFormat kAcceptedFormats[] = {
    {kUncompressed, 1, PixelKind::Indexed},
    {kUncompressed, 4, PixelKind::Indexed},
    {kUncompressed, 8, PixelKind::Indexed},
    {kUncompressed, 16, PixelKind::Masked},
    {kUncompressed, 24, PixelKind::Bgr24},
    {kUncompressed, 32, PixelKind::Masked},
    {kRle8, 8, PixelKind::Rle8},
    {kRle4, 4, PixelKind::Rle4},
    {kBitFields, 16, PixelKind::Masked},
    {kBitFields, 32, PixelKind::Masked},
};

std::optional<PixelKind> ClassifyPixels(uint32_t bitCount, uint32_t compression) {
  for (const AcceptedFormat& format : kAcceptedFormats) {
    if (format.compression == compression && format.bitCount == bitCount) return format.kind;
  }
  return std::nullopt;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits: a narrower field repeats its
// bits downwards (so all ones stays 255), a wider one keeps its top 8 bits. A mask with gaps
// is taken as the span from its lowest to its highest bit; a zero mask gives 0.
class MaskChannel {
 public:
  MaskChannel() = default;
  explicit MaskChannel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    while (((mask >> shift_) & 1) == 0) ++shift_;
    int highest = 31;
    while (((mask >> highest) & 1) == 0) --highest;
    bits_ = highest - shift_ + 1;
    for (uint32_t value = 0; bits_ < 8 && value < (1u << bits_); ++value) {
      const uint32_t top = value << (8 - bits_);
      for (int filled = 0; filled < 8; filled += bits_) widened_[value] |= top >> filled;
    }
  }

  uint8_t Extract(uint32_t pixel) const {
    const uint32_t value = (pixel & mask_) >> shift_;
    return bits_ >= 8 ? static_cast<uint8_t>(value >> (bits_ - 8)) : widened_[value];
  }

 private:
  uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
  std::array<uint8_t, 128> widened_{};  // by field value, for fields under 8 bits
};

// Everything the row converters need besides the bytes.
struct PixelFormat {
  PixelKind kind;
  uint32_t bitCount;
  Palette palette;
  std::array<MaskChannel, 3> channels;  // red, green, blue
};

void ConvertIndexedRow(const uint8_t* src, int64_t width, uint32_t bitCount, const Palette& palette,
                       uint8_t* dst) {
  const uint32_t indexMask = (1u << bitCount) - 1;
  for (int64_t x = 0; x < width; ++x) {
    const uint64_t bit = static_cast<uint64_t>(x) * bitCount;
    const uint32_t shift = 8 - bitCount - static_cast<uint32_t>(bit & 7);
    const Rgb& colour = palette[(src[bit >> 3] >> shift) & indexMask];
    std::copy(colour.begin(), colour.end(), dst + 3 * x);
  }
}

void ConvertBgr24Row(const uint8_t* src, int64_t width, uint8_t* dst) {
  for (int64_t x = 0; x < width; ++x, src += 3, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
}

void ConvertMaskedRow(const uint8_t* src, int64_t width, uint32_t bitCount,
                      const std::array<MaskChannel, 3>& channels, uint8_t* dst) {
  const size_t pixelBytes = bitCount / 8;
  for (int64_t x = 0; x < width; ++x, src += pixelBytes, dst += 3) {
    const uint32_t pixel = bitCount == 16 ? ReadU16(src) : ReadU32(src);
    for (int c = 0; c < 3; ++c) dst[c] = channels[c].Extract(pixel);
  }
}

// Uncompressed rows, each padded to 4 bytes, `rowsPresent` of them complete in the data; the
// rows missing stay black. Top-down files are turned over here.
void DecodeRows(const uint8_t* data, int64_t rowsPresent, bool topDown, const PixelFormat& format,
                RgbImage& image) {
  const int64_t width = image.width;
  const uint64_t stride = (uint64_t{format.bitCount} * width + 31) / 32 * 4;
  for (int64_t row = 0; row < rowsPresent; ++row) {
    const uint8_t* src = data + row * stride;
    const int64_t target = topDown ? image.height - 1 - row : row;
    uint8_t* dst = image.pixels.data() + target * width * 3;
    if (format.kind == PixelKind::Indexed) {
      ConvertIndexedRow(src, width, format.bitCount, format.palette, dst);
    } else if (format.kind == PixelKind::Bgr24) {
      ConvertBgr24Row(src, width, dst);
    } else {
      ConvertMaskedRow(src, width, format.bitCount, format.channels, dst);
    }
  }
}

// The drawing position of a run-length stream. Pixels outside the picture are dropped; the
// position itself may run far past it, so it is kept in 64 bits.
class RleCanvas {
 public:
  RleCanvas(RgbImage& image, const Palette& palette) : image_(image), palette_(palette) {}

  bool Finished() const { return y_ >= image_.height; }

  void Put(uint8_t index) {
    if (x_ < image_.width) std::copy_n(palette_[index].data(), 3, Here());
    ++x_;
  }

  // A run of `count` pixels cycling through `indices`. Past the row end nothing more can be
  // drawn on this row, so the run stops there.
  void Run(int count, const std::array<uint8_t, 2>& indices) {
    const int64_t visible = std::clamp<int64_t>(image_.width - x_, 0, count);
    if (visible == 0) return;
    const Rgb colours[2] = {palette_[indices[0]], palette_[indices[1]]};
    uint8_t* dst = Here();
    for (int64_t i = 0; i < visible; ++i, dst += 3) std::copy_n(colours[i & 1].data(), 3, dst);
    x_ += visible;
  }

  void EndOfLine() {
    x_ = 0;
    ++y_;
  }

  void Move(uint8_t dx, uint8_t dy) {
    x_ += dx;
    y_ += dy;
  }

 private:
  uint8_t* Here() { return image_.pixels.data() + (y_ * image_.width + x_) * 3; }

  RgbImage& image_;
  const Palette& palette_;
  int64_t x_ = 0;
  int64_t y_ = 0;
};

// Escape codes that follow a zero count byte.
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfBitmap = 1;
constexpr uint8_t kDelta = 2;

// Run-length data, 8 or 4 bits a pixel. Every step consumes at least two bytes and drawing
// stops once the position leaves the top of the picture, so any stream ends.
void DecodeRle(const uint8_t* data, size_t length, bool fourBit, const Palette& palette,
               RgbImage& image) {
  RleCanvas canvas(image, palette);
  size_t pos = 0;
  while (pos + 2 <= length && !canvas.Finished()) {
    const uint8_t count = data[pos];
    const uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      const std::array<uint8_t, 2> indices =
          fourBit ? std::array<uint8_t, 2>{static_cast<uint8_t>(value >> 4),
                                           static_cast<uint8_t>(value & 0x0F)}
                  : std::array<uint8_t, 2>{value, value};
      canvas.Run(count, indices);
      continue;
    }
    switch (value) {
      case kEndOfLine:
        canvas.EndOfLine();
        break;
      case kEndOfBitmap:
        return;
      case kDelta:
        if (pos + 2 > length) return;
        canvas.Move(data[pos], data[pos + 1]);
        pos += 2;
        break;
      default: {
        // Absolute run of `value` pixels, its bytes padded to a 16-bit boundary.
        const size_t runBytes = fourBit ? (value + 1u) / 2 : value;
        const size_t present = std::min(runBytes, length - pos);
        const size_t pixels = std::min<size_t>(value, fourBit ? present * 2 : present);
        for (size_t i = 0; i < pixels; ++i) {
          const uint8_t byte = data[pos + (fourBit ? i / 2 : i)];
          canvas.Put(fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
        }
        pos += std::min(runBytes + (runBytes & 1), length - pos);
        break;
      }
    }
  }
}

Palette ReadPalette(const uint8_t* table, size_t entries, size_t entrySize) {
  Palette palette{};
  for (size_t i = 0; i < std::min(entries, palette.size()); ++i) {
    const uint8_t* entry = table + i * entrySize;
    palette[i] = {entry[2], entry[1], entry[0]};
  }
  return palette;
}

// Where the parts of the file lie, as its headers say.
struct DibLayout {
  WorkingHeader header;
  const uint8_t* masks = nullptr;  // the three bit-field masks, when the header has them
  const uint8_t* colourTable = nullptr;
  size_t entryCount = 0;
  size_t entrySize = 0;
  size_t pixelOffset = 0;
};

// Reads the headers: both kinds reduced to the fields of the 40-byte one (a core header has
// 16-bit unsigned sizes and no compression), and the colour table found within the bytes.
DibError ReadLayout(const uint8_t* data, size_t size, DibLayout& layout) {
  const bool isFile = size >= 2 && ReadU16(data) == kFileSignature;
  const size_t headerOffset = isFile ? kFileHeaderSize : 0;
  if (size < headerOffset + 4) return DibError::UnknownFormat;
  const uint8_t* header = data + headerOffset;
  const uint32_t headerSize = ReadU32(header);
  if ((headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) ||
      size - headerOffset < headerSize) {
    return DibError::UnknownFormat;
  }

  WorkingHeader& working = layout.header;
  const bool core = headerSize == kCoreHeaderSize;
  if (core) {
    working.width = ReadU16(header + kCoreWidth);
    working.height = ReadU16(header + kCoreHeight);
    working.bitCount = ReadU16(header + kCoreBitCount);
  } else {
    working.width = ReadS32(header + kInfoWidth);
    working.height = ReadS32(header + kInfoHeight);
    working.bitCount = ReadU16(header + kInfoBitCount);
    working.compression = ReadU32(header + kInfoCompression);
    working.imageSize = ReadU32(header + kInfoImageSize);
  }

  // The colour table follows the header, and the bit-field masks when there are any.
  size_t tableOffset = headerOffset + headerSize;
  if (!core && working.compression == kBitFields) {
    layout.masks = data + tableOffset;
    tableOffset += kBitFieldMasksSize;
  }
  layout.entryCount = PaletteEntryCount(header, size - headerOffset);
  layout.entrySize = core ? kCoreEntrySize : kInfoEntrySize;
  const size_t tableEnd = tableOffset + layout.entryCount * layout.entrySize;
  if (tableEnd > size) return DibError::ConversionError;
  layout.colourTable = data + tableOffset;
  layout.pixelOffset = isFile ? ReadU32(data + kPixelOffsetField) : tableEnd;
  return DibError::None;
}

}  // namespace

std::string DibErrorMessage(DibError error, std::string_view path) {
  switch (error) {
    case DibError::None:
      return {};
    case DibError::OpenFailed:
      return "Failed to open DIB file " + std::string(path) + ".\n";
    case DibError::UnknownFormat:
      return "Unknown DIB file format.";
    case DibError::OutOfMemory:
      return "Out of memory.";
    case DibError::ConversionError:
      return "Image file conversion error.";
  }
  return {};
}

// A core header always has a table sized by its bit count. A 40-byte header may give the
// number itself in colours-used (kept to 16 bits); otherwise its bit count decides.
uint16_t PaletteEntryCount(const uint8_t* header, size_t available) {
  if (available < 4) return 0;
  uint16_t bitCount = 0;
  if (ReadU32(header) == kCoreHeaderSize) {
    if (available < kCoreHeaderSize) return 0;
    bitCount = ReadU16(header + kCoreBitCount);
  } else {
    if (available < kInfoColoursUsed + 4) return 0;
    const uint32_t coloursUsed = ReadU32(header + kInfoColoursUsed);
    if (coloursUsed != 0) return static_cast<uint16_t>(coloursUsed);
    bitCount = ReadU16(header + kInfoBitCount);
  }
  for (const auto& [bits, entries] : kTableEntries) {
    if (bits == bitCount) return entries;
  }
  return 0;
}

DibDecodeResult DecodeDib(const uint8_t* data, size_t size, const DibLimits& limits) {
  const auto fail = [](DibError error) { return DibDecodeResult{std::nullopt, error}; };
  if (size == 0) return fail(DibError::OpenFailed);
  DibLayout layout;
  if (const DibError error = ReadLayout(data, size, layout); error != DibError::None) {
    return fail(error);
  }
  const WorkingHeader& header = layout.header;

  // The picture's size is checked before anything is allocated for it.
  const int64_t width = header.width;
  const int64_t rows = header.height < 0 ? -header.height : header.height;
  if (width <= 0 || rows == 0) return fail(DibError::ConversionError);
  if (width > limits.maxSide || rows > limits.maxSide || width * rows > limits.maxPixels) {
    return fail(DibError::OutOfMemory);
  }

  const std::optional<PixelKind> kind = ClassifyPixels(header.bitCount, header.compression);
  if (!kind) return fail(DibError::ConversionError);
  const bool rle = *kind == PixelKind::Rle8 || *kind == PixelKind::Rle4;
  if (rle && header.height < 0) return fail(DibError::ConversionError);
  if (layout.pixelOffset >= size) return fail(DibError::ConversionError);
  const uint8_t* pixelData = data + layout.pixelOffset;
  const size_t pixelBytes = size - layout.pixelOffset;

  // How much pixel data is used: the run-length stream up to the image size, or the complete
  // rows present (a row needs its pixel bytes, not its padding).
  size_t rleLength = 0;
  int64_t rowsPresent = 0;
  if (rle) {
    const uint64_t imageSize = header.imageSize != 0
                                   ? header.imageSize
                                   : (uint64_t{header.bitCount} * width + 7) / 8 * rows;
    rleLength = static_cast<size_t>(std::min<uint64_t>(imageSize, pixelBytes));
  } else {
    const uint64_t rowBytes = (uint64_t{header.bitCount} * width + 7) / 8;
    const uint64_t stride = (uint64_t{header.bitCount} * width + 31) / 32 * 4;
    if (pixelBytes < rowBytes) return fail(DibError::ConversionError);
    rowsPresent =
        static_cast<int64_t>(std::min<uint64_t>(rows, 1 + (pixelBytes - rowBytes) / stride));
  }

  PixelFormat format{*kind,
                     header.bitCount,
                     ReadPalette(layout.colourTable, layout.entryCount, layout.entrySize),
                     {}};
  const std::array<uint32_t, 3>& defaultMasks = header.bitCount == 16 ? kMasks16 : kMasks32;
  for (size_t c = 0; c < format.channels.size(); ++c) {
    format.channels[c] =
        MaskChannel(layout.masks != nullptr ? ReadU32(layout.masks + 4 * c) : defaultMasks[c]);
  }

  RgbImage image;
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(rows);
  try {
    image.pixels.assign(static_cast<size_t>(width * rows * 3), 0);
  } catch (const std::bad_alloc&) {
    return fail(DibError::OutOfMemory);
  }
  if (rle) {
    DecodeRle(pixelData, rleLength, *kind == PixelKind::Rle4, format.palette, image);
  } else {
    DecodeRows(pixelData, rowsPresent, header.height < 0, format, image);
  }
  return DibDecodeResult{std::move(image), DibError::None};
}
