#include "scene/dib_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "scene/testing/dib_samples.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Decodes from a buffer of exactly the file's size, so that AddressSanitizer reports any read
// past its end.
DibDecodeResult Decode(const Bytes& bytes, const DibLimits& limits = {}) {
  const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  return DecodeDib(exact.get(), bytes.size(), limits);
}

DibError ErrorOf(const Bytes& bytes) { return Decode(bytes).error; }

// Expected pixels written as 0xRRGGBB, bottom row first.
Bytes Rgb(const std::vector<uint32_t>& colours) {
  Bytes out;
  for (uint32_t c : colours) out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  return out;
}

SampleLayout Layout(uint16_t bitCount, SampleCompression compression = SampleCompression::None,
                    std::vector<uint32_t> palette = {}) {
  SampleLayout layout;
  layout.bitCount = bitCount;
  layout.compression = compression;
  layout.palette = std::move(palette);
  return layout;
}

void ExpectPicture(const Bytes& file, int32_t width, int32_t height, const Bytes& rgb) {
  const DibDecodeResult result = Decode(file);
  ASSERT_EQ(result.error, DibError::None);
  ASSERT_TRUE(result.image);
  EXPECT_EQ(result.image->width, width);
  EXPECT_EQ(result.image->height, height);
  EXPECT_EQ(result.image->pixels, rgb);
}

void PutU32At(Bytes& bytes, size_t offset, uint32_t value) {
  std::memcpy(&bytes[offset], &value, 4);
}

constexpr uint32_t kA = 0x110000, kB = 0x002200, kC = 0x000033;
const std::vector<uint32_t> kAbcPalette = {0x000000, kA, kB, kC};

TEST(DibErrorMessage, GivesTheRendererTexts) {
  EXPECT_EQ(DibErrorMessage(DibError::OpenFailed, "c:\\x.bmp"),
            "Failed to open DIB file c:\\x.bmp.\n");
  EXPECT_EQ(DibErrorMessage(DibError::UnknownFormat, "x"), "Unknown DIB file format.");
  EXPECT_EQ(DibErrorMessage(DibError::OutOfMemory, "x"), "Out of memory.");
  EXPECT_EQ(DibErrorMessage(DibError::ConversionError, "x"), "Image file conversion error.");
  EXPECT_EQ(DibErrorMessage(DibError::None, "x"), "");
}

TEST(PaletteEntryCount, FollowsBitCountOrColoursUsed) {
  struct Case {
    bool core;
    uint16_t bits;
    uint32_t coloursUsed;
    uint16_t expected;
  };
  const Case cases[] = {
      {true, 1, 0, 2},   {true, 4, 0, 16},  {true, 8, 0, 256},      {true, 24, 0, 0},
      {false, 1, 0, 2},  {false, 4, 0, 16}, {false, 8, 0, 256},     {false, 16, 0, 0},
      {false, 32, 0, 0}, {false, 24, 5, 5}, {false, 8, 0x10005, 5}, {false, 1, 65536, 0},
  };
  for (const Case& c : cases) {
    SampleLayout layout = Layout(c.bits);
    layout.coreHeader = c.core;
    layout.fileHeader = false;
    layout.coloursUsed = c.coloursUsed;
    const Bytes header = BuildDibWithPixelData(layout, 1, 1, {});
    EXPECT_EQ(PaletteEntryCount(header.data(), header.size()), c.expected)
        << "core " << c.core << " bits " << c.bits << " colours used " << c.coloursUsed;
  }
  const Bytes info = BuildDibWithPixelData(Layout(8), 1, 1, {});
  EXPECT_EQ(PaletteEntryCount(info.data() + 14, 35), 0) << "colours-used field cut off";
  EXPECT_EQ(PaletteEntryCount(info.data() + 14, 3), 0) << "size field cut off";
}

TEST(DecodeDib, RefusesMissingOrUnknownHeaders) {
  EXPECT_EQ(ErrorOf({}), DibError::OpenFailed);
  EXPECT_EQ(ErrorOf({'B'}), DibError::UnknownFormat);
  EXPECT_EQ(ErrorOf({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0}),
            DibError::UnknownFormat)
      << "a file header and too little after it";

  const Bytes good = BuildDibWithPixelData(Layout(24), 1, 1, {1, 2, 3, 0});
  for (uint32_t headerSize : {0u, 16u, 64u, 108u, 124u}) {
    Bytes bad = good;
    bad.resize(14 + 124 + 4);
    PutU32At(bad, 14, headerSize);
    EXPECT_EQ(ErrorOf(bad), DibError::UnknownFormat) << "header size " << headerSize;
  }
  EXPECT_EQ(ErrorOf(Bytes(good.begin(), good.begin() + 14 + 39)), DibError::UnknownFormat);
  SampleLayout core = Layout(24);
  core.coreHeader = true;
  core.fileHeader = false;
  const Bytes bare = BuildDibWithPixelData(core, 1, 1, {});
  EXPECT_EQ(ErrorOf(Bytes(bare.begin(), bare.begin() + 11)), DibError::UnknownFormat);
}

TEST(DecodeDib, ConvertsEveryUncompressedDepth) {
  struct Case {
    const char* name;
    SampleLayout layout;
    int32_t width, height;
    Bytes data, rgb;
  };
  std::vector<uint32_t> palette16(16, 0x777777);
  palette16[2] = 0x123456;
  palette16[15] = 0xFEDCBA;
  // clang-format off
  const Case cases[] = {
      {"1 bit", Layout(1, SampleCompression::None, {0x102030, 0xA0B0C0}), 2, 2,
       {0x40, 0, 0, 0, 0x80, 0, 0, 0}, Rgb({0x102030, 0xA0B0C0, 0xA0B0C0, 0x102030})},
      {"4 bit", Layout(4, SampleCompression::None, palette16), 3, 1,
       {0x2F, 0x20, 0, 0}, Rgb({0x123456, 0xFEDCBA, 0x123456})},
      {"8 bit, index past a short table", [] {
         SampleLayout l = Layout(8, SampleCompression::None, {0x0A0B0C, 0x0D0E0F});
         l.coloursUsed = 2;
         return l;
       }(), 3, 1, {1, 0, 2, 0}, Rgb({0x0D0E0F, 0x0A0B0C, 0x000000})},
      {"16 bit 5-5-5, top bit ignored", Layout(16), 2, 2,
       {0xFF, 0x7F, 0x00, 0xFC, 0x10, 0x42, 0x01, 0x00},
       Rgb({0xFFFFFF, 0xFF0000, 0x848484, 0x000008})},
      {"24 bit", Layout(24), 2, 2, {3, 2, 1, 6, 5, 4, 0, 0, 9, 8, 7, 12, 11, 10, 0, 0},
       Rgb({0x010203, 0x040506, 0x070809, 0x0A0B0C})},
      {"32 bit, fourth byte ignored", Layout(32), 1, 1, {0x30, 0x20, 0x10, 0xEE}, Rgb({0x102030})},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectPicture(BuildDibWithPixelData(c.layout, c.width, c.height, c.data), c.width, c.height,
                  c.rgb);
  }
}

TEST(DecodeDib, ScalesBitFieldChannelsToEightBits) {
  struct Case {
    uint16_t bits;
    std::array<uint32_t, 3> masks;
    uint32_t pixel;
    uint32_t rgb;
  };
  const Case cases[] = {
      {16, {0xF800, 0x07E0, 0x001F}, 0xF800, 0xFF0000},
      {16, {0xF800, 0x07E0, 0x001F}, 0x0410, 0x008284},  // 6-bit 100000, 5-bit 10000
      {32, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x20000000 | 0x3FF, 0x8000FF},
      {32, {0, 0xFF00, 0xFF}, 0xFFFFFFFF, 0x00FFFF},  // no red bits at all
      {32, {1, 2, 4}, 5, 0xFF00FF},                   // one-bit channels
      {32, {0xFF000000, 0x00FF0000, 0x0000FF00}, 0x11223344, 0x112233},
  };
  for (const Case& c : cases) {
    SampleLayout layout = Layout(c.bits, SampleCompression::BitFields);
    layout.masks = c.masks;
    Bytes data(4, 0);
    PutU32At(data, 0, c.pixel);
    ExpectPicture(BuildDibWithPixelData(layout, 1, 1, data), 1, 1, Rgb({c.rgb}));
  }
}

TEST(DecodeDib, ReadsCoreHeadersAndBareDibs) {
  std::vector<uint32_t> palette(256, 0x777777);
  palette[1] = 0x0A0B0C;
  SampleLayout core = Layout(8, SampleCompression::None, palette);
  core.coreHeader = true;
  ExpectPicture(BuildDibWithPixelData(core, 1, 1, {1, 0, 0, 0}), 1, 1, Rgb({0x0A0B0C}));
  core.fileHeader = false;
  ExpectPicture(BuildDibWithPixelData(core, 1, 1, {1, 0, 0, 0}), 1, 1, Rgb({0x0A0B0C}));

  // A bare DIB's pixels follow the table its colours-used declares, even at 24 bits.
  SampleLayout bare = Layout(24, SampleCompression::None, {0x111111, 0x222222});
  bare.fileHeader = false;
  bare.coloursUsed = 2;
  ExpectPicture(BuildDibWithPixelData(bare, 1, 1, {3, 2, 1, 0}), 1, 1, Rgb({0x010203}));
  SampleLayout fields = Layout(16, SampleCompression::BitFields);
  fields.fileHeader = false;
  fields.masks = {0xF00, 0xF0, 0xF};
  ExpectPicture(BuildDibWithPixelData(fields, 1, 1, {0xA5, 0x0F, 0, 0}), 1, 1, Rgb({0xFFAA55}));
}

TEST(DecodeDib, TurnsTopDownPicturesUpright) {
  SampleLayout layout = Layout(24);
  layout.topDown = true;
  ExpectPicture(BuildDibWithPixelData(layout, 1, 2, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}), 1, 2,
                Rgb({0x0000FF, 0xFF0000}));
  // Cut short, a top-down file keeps its top rows.
  ExpectPicture(BuildDibWithPixelData(layout, 1, 2, {0, 0, 0xFF}), 1, 2, Rgb({0, 0xFF0000}));

  SampleLayout rle = Layout(8, SampleCompression::Rle8, kAbcPalette);
  rle.coloursUsed = 4;
  rle.topDown = true;
  EXPECT_EQ(ErrorOf(BuildDibWithPixelData(rle, 1, 1, {1, 1, 0, 1})), DibError::ConversionError);
}

TEST(DecodeDib, RefusesBadTablesAndFormats) {
  const SampleLayout twoEntries = Layout(8, SampleCompression::None, {0, 0});
  EXPECT_EQ(ErrorOf(BuildDibWithPixelData(twoEntries, 1, 1, {0, 0, 0, 0})),
            DibError::ConversionError)
      << "256-entry table past the end";
  struct Case {
    uint16_t bits;
    uint32_t compression;
  };
  const Case cases[] = {{8, 2}, {4, 1},  {24, 1}, {24, 3}, {8, 3}, {2, 0},
                        {0, 0}, {48, 0}, {16, 4}, {24, 5}, {32, 6}};
  for (const Case& c : cases) {
    SampleLayout layout =
        Layout(c.bits, static_cast<SampleCompression>(c.compression), std::vector<uint32_t>(16));
    layout.coloursUsed = 16;
    const Bytes file = BuildDibWithPixelData(layout, 1, 1, Bytes(64, 0));
    EXPECT_EQ(ErrorOf(file), DibError::ConversionError)
        << c.bits << " bits, compression " << c.compression;
  }
}

TEST(DecodeDib, ChecksSizesBeforeAllocating) {
  struct Case {
    int32_t width, height;
    DibError error;
  };
  const Case cases[] = {
      {0, 1, DibError::ConversionError},     {-1, 1, DibError::ConversionError},
      {1, 0, DibError::ConversionError},     {32769, 1, DibError::OutOfMemory},
      {1, 32769, DibError::OutOfMemory},     {1, -32769, DibError::OutOfMemory},
      {1, INT32_MIN, DibError::OutOfMemory}, {32768, 32768, DibError::OutOfMemory},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorOf(BuildDibWithPixelData(Layout(24), c.width, c.height, Bytes(16))), c.error)
        << c.width << " x " << c.height;
  }
  const SampleLayout indexed = Layout(8, SampleCompression::None, std::vector<uint32_t>(256));
  const Bytes tenByTen = BuildDibWithPixelData(indexed, 10, 10, Bytes(120));
  EXPECT_EQ(Decode(tenByTen, {99, 10}).error, DibError::OutOfMemory);
  EXPECT_EQ(Decode(tenByTen, {100, 9}).error, DibError::OutOfMemory);
  EXPECT_EQ(Decode(tenByTen, {100, 10}).error, DibError::None);
}

TEST(DecodeDib, KeepsTheCompleteRowsOfATruncatedFile) {
  // 1 × 3 at 24 bits: rows of 3 pixel bytes and 1 padding byte.
  ExpectPicture(BuildDibWithPixelData(Layout(24), 1, 3, {1, 2, 3, 0, 4, 5, 6}), 1, 3,
                Rgb({0x030201, 0x060504, 0}));
  EXPECT_EQ(ErrorOf(BuildDibWithPixelData(Layout(24), 1, 3, {1, 2})), DibError::ConversionError);
  Bytes noPixels = BuildDibWithPixelData(Layout(24), 1, 1, {});
  EXPECT_EQ(ErrorOf(noPixels), DibError::ConversionError);
  noPixels.push_back(7);
  PutU32At(noPixels, 10, 1000);
  EXPECT_EQ(ErrorOf(noPixels), DibError::ConversionError) << "pixel offset past the end";
}

Bytes RleFile(SampleCompression compression, int32_t width, int32_t height, const Bytes& stream,
              std::optional<uint32_t> imageSize = std::nullopt) {
  const uint16_t bitCount = compression == SampleCompression::Rle8 ? 8 : 4;
  SampleLayout layout = Layout(bitCount, compression, kAbcPalette);
  layout.coloursUsed = static_cast<uint32_t>(kAbcPalette.size());
  layout.imageSize = imageSize;
  return BuildDibWithPixelData(layout, width, height, stream);
}

TEST(DecodeDib, Rle8FollowsItsEscapes) {
  // Run of three, end of line, absolute run of three (padded), delta up one row, end of bitmap;
  // the run after the end is never drawn.
  const Bytes stream = {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 0, 1, 1, 3, 0, 1, 5, 1};
  ExpectPicture(RleFile(SampleCompression::Rle8, 4, 3, stream), 4, 3,
                Rgb({kA, kA, kA, 0, kB, kC, kB, 0, 0, 0, 0, kC}));
}

TEST(DecodeDib, Rle8ClipsAndSurvivesBrokenStreams) {
  // A run past the row end does not wrap; no end-of-bitmap keeps what was drawn.
  ExpectPicture(RleFile(SampleCompression::Rle8, 2, 2, {5, 1, 0, 0, 1, 2}), 2, 2,
                Rgb({kA, kA, kB, 0}));
  ExpectPicture(RleFile(SampleCompression::Rle8, 2, 2, {0, 3, 1, 2, 3, 0, 0, 1}), 2, 2,
                Rgb({kA, kB, 0, 0}));
  // Moved off the top: nothing more drawn.
  ExpectPicture(RleFile(SampleCompression::Rle8, 1, 1, {0, 2, 0, 9, 1, 1}), 1, 1, Rgb({0}));
  // An absolute run or a delta cut off by the end of the data keeps the pixels that are there.
  ExpectPicture(RleFile(SampleCompression::Rle8, 3, 1, {0, 5, 1, 2}), 3, 1, Rgb({kA, kB, 0}));
  ExpectPicture(RleFile(SampleCompression::Rle8, 3, 1, {1, 1, 0, 2}), 3, 1, Rgb({kA, 0, 0}));
  // The image-size field limits the stream; left at 0 it is width × height bytes here.
  ExpectPicture(RleFile(SampleCompression::Rle8, 2, 1, {1, 1, 1, 2}, 2), 2, 1, Rgb({kA, 0}));
  ExpectPicture(RleFile(SampleCompression::Rle8, 2, 1, {1, 1, 1, 2}, 0), 2, 1, Rgb({kA, 0}));
  EXPECT_EQ(ErrorOf(RleFile(SampleCompression::Rle8, 2, 1, {})), DibError::ConversionError);
}

TEST(DecodeDib, Rle4ReadsNibblesHighFirst) {
  // Encoded run alternating 1 and 2; end of line; absolute run of 3; encoded run of 3, 0.
  ExpectPicture(RleFile(SampleCompression::Rle4, 5, 2, {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 2, 0x30}),
                5, 2, Rgb({kA, kB, kA, kB, kA, kC, kA, kB, kC, 0}));
  // An absolute run of five takes three bytes and one of padding.
  ExpectPicture(RleFile(SampleCompression::Rle4, 6, 1, {0, 5, 0x12, 0x31, 0x20, 0, 1, 0x30}), 6, 1,
                Rgb({kA, kB, kC, kA, kB, kC}));
}

TEST(DecodeDib, DecodesEverySampleLayout) {
  for (const NamedSample& sample : SampleCatalogue()) {
    SCOPED_TRACE(sample.name);
    ExpectPicture(sample.file, sample.picture.width, sample.picture.height,
                  Rgb(sample.picture.rgb));
  }
}

TEST(DecodeDib, DesktopPictureRoundTripsThroughRle8) {
  const SamplePicture desktop = DesktopPicture(320, 240);
  const Bytes rle = BuildDib(desktop, Layout(8, SampleCompression::Rle8, DesktopPalette()));
  EXPECT_LT(rle.size() * 4, size_t{320} * 240 * 3) << "a desktop should compress well";
  ExpectPicture(rle, 320, 240, Rgb(desktop.rgb));
}

}  // namespace
