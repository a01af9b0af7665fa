#include "scene/testing/dib_samples.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint8_t kMaxRun = 255;
constexpr int kMinRepeat = 3;  // shorter repeats go into absolute runs

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

uint8_t Channel(uint32_t rgb, int index) { return static_cast<uint8_t>(rgb >> (16 - 8 * index)); }

// The top bits of an 8-bit channel placed in `mask` (a wider mask gets zero low bits).
uint32_t PackChannel(uint8_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  int highest = 31;
  while (((mask >> highest) & 1) == 0) --highest;
  const int bits = highest - shift + 1;
  const uint32_t field = bits >= 8 ? uint32_t{value} << (bits - 8) : uint32_t{value} >> (8 - bits);
  return (field << shift) & mask;
}

bool RepeatStartsAt(const uint8_t* row, int32_t x, int32_t width) {
  return x + kMinRepeat <= width &&
         std::all_of(row + x + 1, row + x + kMinRepeat, [&](uint8_t v) { return v == row[x]; });
}

std::vector<uint8_t> EncodeRle(const std::vector<uint8_t>& indices, int32_t width, int32_t height,
                               bool fourBit) {
  const auto runByte = [&](uint8_t index) {
    return fourBit ? static_cast<uint8_t>(index << 4 | index) : index;
  };
  std::vector<uint8_t> out;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = indices.data() + static_cast<size_t>(y) * width;
    int32_t x = 0;
    while (x < width) {
      if (RepeatStartsAt(row, x, width)) {
        int32_t run = 1;
        while (x + run < width && run < kMaxRun && row[x + run] == row[x]) ++run;
        out.insert(out.end(), {static_cast<uint8_t>(run), runByte(row[x])});
        x += run;
        continue;
      }
      int32_t end = x + 1;
      while (end < width && end - x < kMaxRun && !RepeatStartsAt(row, end, width)) ++end;
      const int32_t count = end - x;
      if (count < kMinRepeat) {
        for (; x < end; ++x) out.insert(out.end(), {1, runByte(row[x])});
        continue;
      }
      out.insert(out.end(), {0, static_cast<uint8_t>(count)});
      size_t runBytes = 0;
      for (int32_t i = 0; i < count; i += fourBit ? 2 : 1, ++runBytes) {
        const uint8_t low = fourBit && i + 1 < count ? row[x + i + 1] : 0;
        out.push_back(fourBit ? static_cast<uint8_t>(row[x + i] << 4 | low) : row[x + i]);
      }
      if (runBytes % 2 != 0) out.push_back(0);
      x = end;
    }
    if (y + 1 < height) out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 1});
  return out;
}

uint8_t PaletteIndex(const std::vector<uint32_t>& palette, uint32_t rgb) {
  const auto found = std::find(palette.begin(), palette.end(), rgb);
  if (found == palette.end() || found - palette.begin() > 255) {
    throw std::invalid_argument("colour not in the sample palette");
  }
  return static_cast<uint8_t>(found - palette.begin());
}

// Uncompressed rows in file order, each padded to 4 bytes.
std::vector<uint8_t> PackRows(const SamplePicture& picture, const SampleLayout& layout) {
  const uint32_t bits = layout.bitCount;
  const size_t stride = (size_t{bits} * picture.width + 31) / 32 * 4;
  const bool indexed = bits <= 8;
  const std::array<uint32_t, 3> masks =
      layout.compression == SampleCompression::BitFields ? layout.masks
      : bits == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                   : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  std::vector<uint8_t> out(stride * picture.height);
  for (int32_t row = 0; row < picture.height; ++row) {
    const int32_t y = layout.topDown ? picture.height - 1 - row : row;
    uint8_t* dst = out.data() + stride * row;
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint32_t rgb = picture.rgb[static_cast<size_t>(y) * picture.width + x];
      if (indexed) {
        const size_t bit = size_t{bits} * x;
        dst[bit / 8] |=
            static_cast<uint8_t>(PaletteIndex(layout.palette, rgb) << (8 - bits - bit % 8));
      } else if (bits == 24) {
        for (int c = 0; c < 3; ++c) dst[3 * x + c] = Channel(rgb, 2 - c);  // blue, green, red
      } else {
        uint32_t value = 0;
        for (int c = 0; c < 3; ++c) value |= PackChannel(Channel(rgb, c), masks[c]);
        for (uint32_t b = 0; b < bits / 8; ++b) {
          dst[x * bits / 8 + b] = static_cast<uint8_t>(value >> (8 * b));
        }
      }
    }
  }
  return out;
}

// A small picture of the given number of the eight full-intensity colours: even rows in runs
// of three, odd rows changing at every pixel, so run-length files get both kinds of runs.
constexpr std::array<uint32_t, 8> kPrimaryColours = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                                     0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
constexpr int32_t kCatalogueWidth = 13;  // odd, so rows of every bit count need padding
constexpr int32_t kCatalogueHeight = 6;

SamplePicture CataloguePicture(int colours) {
  SamplePicture picture{kCatalogueWidth, kCatalogueHeight, {}};
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const int32_t shade = y % 2 == 0 ? x / 3 + y : x * 3 + y;
      picture.rgb.push_back(kPrimaryColours[shade % colours]);
    }
  }
  return picture;
}

// One row of the catalogue. `shortTable`: only the colours used are in the table.
struct CatalogueEntry {
  const char* name;
  uint16_t bitCount;
  SampleCompression compression;
  bool coreHeader;
  bool fileHeader;
  bool topDown;
  bool shortTable;
  std::array<uint32_t, 3> masks;
};

using C = SampleCompression;
constexpr std::array<uint32_t, 3> kNoMasks{};
constexpr std::array<uint32_t, 3> kMasks565 = {0xF800, 0x07E0, 0x001F};
constexpr std::array<uint32_t, 3> kMasks444 = {0x0F00, 0x00F0, 0x000F};
constexpr std::array<uint32_t, 3> kMasksBgr32 = {0x000000FF, 0x0000FF00, 0x00FF0000};
constexpr std::array<uint32_t, 3> kMasks101010 = {0x3FF00000, 0x000FFC00, 0x000003FF};

constexpr CatalogueEntry kCatalogue[] = {
    {"bm-info-1bit", 1, C::None, false, true, false, false, kNoMasks},
    {"bm-info-4bit", 4, C::None, false, true, false, false, kNoMasks},
    {"bm-info-8bit", 8, C::None, false, true, false, false, kNoMasks},
    {"bm-info-16bit", 16, C::None, false, true, false, false, kNoMasks},
    {"bm-info-24bit", 24, C::None, false, true, false, false, kNoMasks},
    {"bm-info-32bit", 32, C::None, false, true, false, false, kNoMasks},
    {"bm-info-rle8", 8, C::Rle8, false, true, false, false, kNoMasks},
    {"bm-info-rle4", 4, C::Rle4, false, true, false, false, kNoMasks},
    {"bm-info-bitfields16-565", 16, C::BitFields, false, true, false, false, kMasks565},
    {"bm-info-bitfields16-444", 16, C::BitFields, false, true, false, false, kMasks444},
    {"bm-info-bitfields32-bgr", 32, C::BitFields, false, true, false, false, kMasksBgr32},
    {"bm-info-bitfields32-101010", 32, C::BitFields, false, true, false, false, kMasks101010},
    {"bm-core-1bit", 1, C::None, true, true, false, false, kNoMasks},
    {"bm-core-4bit", 4, C::None, true, true, false, false, kNoMasks},
    {"bm-core-8bit", 8, C::None, true, true, false, false, kNoMasks},
    {"bm-core-24bit", 24, C::None, true, true, false, false, kNoMasks},
    {"bm-info-8bit-short-table", 8, C::None, false, true, false, true, kNoMasks},
    {"bm-info-4bit-short-table", 4, C::None, false, true, false, true, kNoMasks},
    {"bm-info-24bit-topdown", 24, C::None, false, true, true, false, kNoMasks},
    {"bm-info-4bit-topdown", 4, C::None, false, true, true, false, kNoMasks},
    {"bm-info-bitfields16-topdown", 16, C::BitFields, false, true, true, false, kMasks565},
    {"dib-info-8bit", 8, C::None, false, false, false, false, kNoMasks},
    {"dib-info-8bit-short-table", 8, C::None, false, false, false, true, kNoMasks},
    {"dib-info-24bit", 24, C::None, false, false, false, false, kNoMasks},
    {"dib-info-rle4", 4, C::Rle4, false, false, false, false, kNoMasks},
    {"dib-info-bitfields32", 32, C::BitFields, false, false, false, false, kMasks101010},
    {"dib-core-4bit", 4, C::None, true, false, false, false, kNoMasks},
    {"dib-core-24bit", 24, C::None, true, false, false, false, kNoMasks},
};

// The desktop picture's colours: a 6-level cube (index 36 r + 6 g + b) and a wallpaper ramp.
constexpr int kCubeLevels = 6;
constexpr uint32_t kCubeStep = 51;
constexpr int kRampStart = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kRampLength = 256 - kRampStart;

constexpr uint8_t Cube(int red, int green, int blue) {
  return static_cast<uint8_t>((red * kCubeLevels + green) * kCubeLevels + blue);
}

constexpr uint8_t kBlack = Cube(0, 0, 0);
constexpr uint8_t kWhite = Cube(5, 5, 5);
constexpr uint8_t kFaceGrey = Cube(4, 4, 4);
constexpr uint8_t kShadowGrey = Cube(2, 2, 2);
constexpr uint8_t kTitleBlue = Cube(0, 0, 3);
constexpr uint8_t kTextGrey = Cube(1, 1, 1);

// Five-by-seven letter shapes, one row a byte, leftmost pixel in bit 4.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kCellWidth = 7;
constexpr uint8_t kGlyphs[][kGlyphHeight] = {
    {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F},  // a
    {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E},  // e
    {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11},  // n
    {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E},  // o
    {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06},  // t
    {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E},  // l
    {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E},  // s
    {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11},  // m
    {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E},  // b
    {0x1F, 0x10, 0x1E, 0x10, 0x10, 0x10, 0x1F},  // E
};

// Drawing in screen coordinates (top row 0) onto palette indices stored bottom row first.
class DesktopCanvas {
 public:
  DesktopCanvas(int32_t width, int32_t height)
      : width_(width), height_(height), indices_(static_cast<size_t>(width) * height) {}

  void Fill(int32_t left, int32_t top, int32_t width, int32_t height, uint8_t index) {
    for (int32_t y = std::max(top, 0); y < std::min(top + height, height_); ++y) {
      for (int32_t x = std::max(left, 0); x < std::min(left + width, width_); ++x) {
        indices_[static_cast<size_t>(height_ - 1 - y) * width_ + x] = index;
      }
    }
  }

  // A raised 3-D box: light top and left edges, dark bottom and right ones.
  void Box(int32_t left, int32_t top, int32_t width, int32_t height, uint8_t face) {
    Fill(left, top, width, height, kShadowGrey);
    Fill(left, top, width - 1, height - 1, kWhite);
    Fill(left + 1, top + 1, width - 2, height - 2, face);
  }

  // A line of pseudo-words: letters from the glyph table, spaces now and then.
  void Text(int32_t left, int32_t top, int32_t maxWidth, uint8_t index, uint32_t seed) {
    for (int32_t x = left; x + kGlyphWidth <= left + maxWidth; x += kCellWidth) {
      seed = seed * 214013 + 2531011;
      const uint32_t pick = seed >> 16;
      if (pick % 6 == 0) continue;
      const uint8_t* glyph = kGlyphs[pick % std::size(kGlyphs)];
      for (int gy = 0; gy < kGlyphHeight; ++gy) {
        for (int gx = 0; gx < kGlyphWidth; ++gx) {
          if (glyph[gy] >> (kGlyphWidth - 1 - gx) & 1) Fill(x + gx, top + gy, 1, 1, index);
        }
      }
    }
  }

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  const std::vector<uint8_t>& indices() const { return indices_; }

 private:
  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> indices_;
};

void DrawWindow(DesktopCanvas& canvas, int32_t left, int32_t top, int32_t width, int32_t height,
                uint32_t seed) {
  constexpr int32_t kTitleHeight = 20;
  constexpr int32_t kLineHeight = 14;
  canvas.Box(left, top, width, height, kFaceGrey);
  canvas.Fill(left + 3, top + 3, width - 6, kTitleHeight, kTitleBlue);
  canvas.Text(left + 8, top + 9, width / 3, kWhite, seed);
  canvas.Fill(left + 3, top + kTitleHeight + 6, width - 6, height - kTitleHeight - 9, kWhite);
  for (int32_t y = top + kTitleHeight + 12; y + kLineHeight < top + height; y += kLineHeight) {
    seed = seed * 69069 + 1;
    canvas.Text(left + 10, y, static_cast<int32_t>(seed >> 8) % (width - 20), kTextGrey, seed);
  }
}

void DrawIcon(DesktopCanvas& canvas, int32_t left, int32_t top, int variant) {
  constexpr int32_t kIconSize = 32;
  constexpr int32_t kHalf = kIconSize / 2;
  canvas.Fill(left, top, kIconSize, kIconSize, kBlack);
  for (int quarter = 0; quarter < 4; ++quarter) {
    const int level = (variant + quarter) % (kCubeLevels - 1) + 1;
    const uint8_t colour =
        Cube(quarter % 2 == 0 ? level : 0, level, quarter < 2 ? 5 - level : level);
    canvas.Fill(left + 1 + quarter % 2 * kHalf, top + 1 + quarter / 2 * kHalf, kHalf - 2, kHalf - 2,
                colour);
  }
  canvas.Text(left - 10, top + kIconSize + 4, kIconSize + 20, kWhite, variant * 7919u);
}

}  // namespace

std::vector<uint8_t> BuildDibWithPixelData(const SampleLayout& layout, int32_t width,
                                           int32_t height, const std::vector<uint8_t>& pixelData) {
  const bool masks = !layout.coreHeader && layout.compression == SampleCompression::BitFields;
  const uint32_t headerSize = layout.coreHeader ? kCoreHeaderSize : kInfoHeaderSize;
  const uint32_t entrySize = layout.coreHeader ? 3 : 4;
  const uint32_t tableSize = static_cast<uint32_t>(layout.palette.size()) * entrySize;
  const uint32_t pixelOffset =
      (layout.fileHeader ? kFileHeaderSize : 0) + headerSize + (masks ? 12 : 0) + tableSize;
  const int32_t storedHeight = layout.topDown ? -height : height;

  std::vector<uint8_t> out;
  if (layout.fileHeader) {
    out.insert(out.end(), {'B', 'M'});
    PutU32(out, pixelOffset + static_cast<uint32_t>(pixelData.size()));
    PutU32(out, 0);  // two reserved 16-bit fields
    PutU32(out, pixelOffset);
  }
  PutU32(out, headerSize);
  if (layout.coreHeader) {
    PutU16(out, static_cast<uint32_t>(width));
    PutU16(out, static_cast<uint32_t>(storedHeight));
    PutU16(out, 1);
    PutU16(out, layout.bitCount);
  } else {
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(storedHeight));
    PutU16(out, 1);
    PutU16(out, layout.bitCount);
    PutU32(out, static_cast<uint32_t>(layout.compression));
    PutU32(out, layout.imageSize.value_or(static_cast<uint32_t>(pixelData.size())));
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, layout.coloursUsed);
    PutU32(out, 0);  // colours important: all
  }
  if (masks) {
    for (uint32_t mask : layout.masks) PutU32(out, mask);
  }
  for (uint32_t rgb : layout.palette) {
    out.insert(out.end(), {Channel(rgb, 2), Channel(rgb, 1), Channel(rgb, 0)});
    if (!layout.coreHeader) out.push_back(0);
  }
  out.insert(out.end(), pixelData.begin(), pixelData.end());
  return out;
}

std::vector<uint8_t> BuildDib(const SamplePicture& picture, const SampleLayout& layout) {
  const bool rle = layout.compression == SampleCompression::Rle8 ||
                   layout.compression == SampleCompression::Rle4;
  if (!rle) {
    return BuildDibWithPixelData(layout, picture.width, picture.height, PackRows(picture, layout));
  }
  std::vector<uint8_t> indices;
  for (uint32_t rgb : picture.rgb) indices.push_back(PaletteIndex(layout.palette, rgb));
  const std::vector<uint8_t> stream = layout.compression == SampleCompression::Rle8
                                          ? EncodeRle8(indices, picture.width, picture.height)
                                          : EncodeRle4(indices, picture.width, picture.height);
  return BuildDibWithPixelData(layout, picture.width, picture.height, stream);
}

std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& indices, int32_t width,
                                int32_t height) {
  return EncodeRle(indices, width, height, false);
}

std::vector<uint8_t> EncodeRle4(const std::vector<uint8_t>& indices, int32_t width,
                                int32_t height) {
  return EncodeRle(indices, width, height, true);
}

std::vector<NamedSample> SampleCatalogue() {
  std::vector<NamedSample> samples;
  for (const CatalogueEntry& entry : kCatalogue) {
    const bool indexed = entry.bitCount <= 8;
    const int colours = entry.bitCount == 1 ? 2 : static_cast<int>(kPrimaryColours.size());
    SampleLayout layout;
    layout.bitCount = entry.bitCount;
    layout.compression = entry.compression;
    layout.coreHeader = entry.coreHeader;
    layout.fileHeader = entry.fileHeader;
    layout.topDown = entry.topDown;
    layout.masks = entry.masks;
    if (indexed) {
      layout.palette.assign(kPrimaryColours.begin(), kPrimaryColours.begin() + colours);
      if (entry.shortTable) {
        layout.coloursUsed = static_cast<uint32_t>(colours);
      } else {
        // The unused entries get greys that the picture does not contain.
        for (uint32_t grey = 1; layout.palette.size() < (1u << entry.bitCount); ++grey) {
          layout.palette.push_back(grey * 0x010101);
        }
      }
    }
    SamplePicture picture = CataloguePicture(colours);
    std::vector<uint8_t> file = BuildDib(picture, layout);
    samples.push_back({entry.name, std::move(picture), std::move(file)});
  }
  return samples;
}

std::vector<uint32_t> DesktopPalette() {
  std::vector<uint32_t> palette;
  for (int i = 0; i < kRampStart; ++i) {
    const uint32_t red = i / (kCubeLevels * kCubeLevels) * kCubeStep;
    const uint32_t green = i / kCubeLevels % kCubeLevels * kCubeStep;
    const uint32_t blue = i % kCubeLevels * kCubeStep;
    palette.push_back(red << 16 | green << 8 | blue);
  }
  for (uint32_t i = 0; i < kRampLength; ++i) {
    palette.push_back((16 + i) << 16 | (48 + i * 2) << 8 | (96 + i * 3));
  }
  return palette;
}

SamplePicture DesktopPicture(int32_t width, int32_t height) {
  constexpr int32_t kTaskbarHeight = 30;
  constexpr int32_t kIconPitch = 80;
  DesktopCanvas canvas(width, height);
  for (int32_t y = 0; y < height; ++y) {
    canvas.Fill(0, y, width, 1, static_cast<uint8_t>(kRampStart + y * kRampLength / height));
  }
  for (int32_t i = 0; 20 + i * kIconPitch + 60 < height - kTaskbarHeight; ++i) {
    DrawIcon(canvas, 24, 16 + i * kIconPitch, i);
  }
  DrawWindow(canvas, width / 5, height / 10, width / 2, height / 2, 17);
  DrawWindow(canvas, width * 2 / 5, height * 3 / 10, width / 2, height / 2, 4242);
  DrawWindow(canvas, width / 7, height * 11 / 20, width / 3, height / 3, 99);
  const int32_t taskbarTop = height - kTaskbarHeight;
  canvas.Box(0, taskbarTop, width, kTaskbarHeight, kFaceGrey);
  canvas.Box(2, taskbarTop + 3, 60, kTaskbarHeight - 6, kFaceGrey);
  canvas.Text(8, taskbarTop + 11, 48, kBlack, 5);
  for (int32_t i = 0; i < 3; ++i) {
    canvas.Box(70 + i * 160, taskbarTop + 3, 154, kTaskbarHeight - 6, kFaceGrey);
    canvas.Text(78 + i * 160, taskbarTop + 11, 120, kBlack, 31u * i + 3);
  }
  canvas.Text(width - 60, taskbarTop + 11, 50, kBlack, 12);

  const std::vector<uint32_t> palette = DesktopPalette();
  SamplePicture picture{width, height, {}};
  for (uint8_t index : canvas.indices()) picture.rgb.push_back(palette[index]);
  return picture;
}
