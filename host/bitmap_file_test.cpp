#include "host/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "scene/dib_decoder.h"
#include "scene/testing/dib_samples.h"

namespace {

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

std::vector<uint8_t> WithoutFileHeader(const std::vector<uint8_t>& file) {
  return {file.begin() + kBitmapFileHeaderSize, file.end()};
}

// Every 40-byte-header layout the renderer reads, written by the sample writer with its own file
// header: the file made from the bare DIB must be the same file, pixel offset included.
TEST(BitmapFileFromPackedDib, RebuildsTheFileOfEveryLayoutTheRendererReads) {
  int checked = 0;
  for (const NamedSample& sample : SampleCatalogue()) {
    if (sample.file.size() < 2 || sample.file[0] != 'B' || sample.file[1] != 'M') continue;
    if (U32At(sample.file, kBitmapFileHeaderSize) < 40) continue;  // 12-byte core headers
    SCOPED_TRACE(sample.name);
    const auto file = BitmapFileFromPackedDib(WithoutFileHeader(sample.file).data(),
                                              sample.file.size() - kBitmapFileHeaderSize);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(U32At(*file, 10), U32At(sample.file, 10)) << "pixel offset";
    EXPECT_EQ(U32At(*file, 2), file->size()) << "file size";
    const DibDecodeResult decoded = DecodeDib(file->data(), file->size());
    ASSERT_TRUE(decoded.image.has_value());
    EXPECT_EQ(decoded.image->width, sample.picture.width);
    EXPECT_EQ(decoded.image->height, sample.picture.height);
    ++checked;
  }
  EXPECT_GE(checked, 8);
}

TEST(BitmapFileFromPackedDib, AScreenCopyBecomesAFileOfTheScreenSize) {
  std::vector<uint8_t> dib = BlankPackedDib24(1366, 768);
  // A white pixel at the bottom left, the first one stored.
  dib[kPackedDib24PixelOffset] = dib[kPackedDib24PixelOffset + 1] =
      dib[kPackedDib24PixelOffset + 2] = 0xFF;
  const auto file = BitmapFileFromPackedDib(dib.data(), dib.size());
  ASSERT_TRUE(file.has_value());
  // 1366 pixels of 3 bytes pad to 4100 bytes a row.
  EXPECT_EQ(file->size(), 14u + 40u + 4100u * 768u);
  EXPECT_EQ(U32At(*file, 10), 54u);
  const DibDecodeResult decoded = DecodeDib(file->data(), file->size());
  ASSERT_TRUE(decoded.image.has_value());
  EXPECT_EQ(decoded.image->width, 1366);
  EXPECT_EQ(decoded.image->height, 768);
  EXPECT_EQ(decoded.image->pixels[0], 0xFF);
  EXPECT_EQ(decoded.image->pixels[3], 0x00);
}

TEST(BitmapFileFromPackedDib, RefusesWhatCouldNotBeReadBackWhole) {
  const std::vector<uint8_t> good = BlankPackedDib24(4, 2);  // rows of 12 bytes
  ASSERT_TRUE(BitmapFileFromPackedDib(good.data(), good.size()).has_value());

  EXPECT_FALSE(BitmapFileFromPackedDib(nullptr, 0).has_value());
  EXPECT_FALSE(BitmapFileFromPackedDib(good.data(), 39).has_value()) << "header cut off";
  EXPECT_FALSE(BitmapFileFromPackedDib(good.data(), good.size() - 1).has_value())
      << "last row cut off";

  auto zeroWidth = good;
  zeroWidth[4] = 0;
  EXPECT_FALSE(BitmapFileFromPackedDib(zeroWidth.data(), zeroWidth.size()).has_value());

  auto hugeHeader = good;
  hugeHeader[0] = 0xFF;  // a header size larger than the data
  EXPECT_FALSE(BitmapFileFromPackedDib(hugeHeader.data(), hugeHeader.size()).has_value());

  // An 8-bit DIB claiming 300 palette entries, or with its palette cut off.
  auto indexed = good;
  indexed[14] = 8;
  indexed[32] = 0x2C;  // 300 = 0x12C
  indexed[33] = 0x01;
  EXPECT_FALSE(BitmapFileFromPackedDib(indexed.data(), indexed.size()).has_value());
  indexed[32] = 0;  // 256 entries: 1 KiB of palette the data does not hold
  indexed[33] = 0;
  EXPECT_FALSE(BitmapFileFromPackedDib(indexed.data(), indexed.size()).has_value());

  // A width so large that the rows overflow any size the data could have.
  auto wide = good;
  wide[4] = wide[5] = wide[6] = 0xFF;
  wide[7] = 0x7F;
  EXPECT_FALSE(BitmapFileFromPackedDib(wide.data(), wide.size()).has_value());
}

TEST(BlankPackedDib24, RefusesEmptySizes) {
  EXPECT_TRUE(BlankPackedDib24(0, 768).empty());
  EXPECT_TRUE(BlankPackedDib24(1024, -1).empty());
}

}  // namespace
