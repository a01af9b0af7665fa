#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bitmap files written as bytes, in every layout the decoder reads, for the tests, the fuzzer's
// seed corpus and the benchmark.

// A picture as 0xRRGGBB values, bottom row first.
struct SamplePicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> rgb;
};

enum class SampleCompression : uint32_t { None = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// How a picture is stored in the file.
struct SampleLayout {
  uint16_t bitCount = 24;
  SampleCompression compression = SampleCompression::None;
  bool coreHeader = false;            // 12-byte header with 3-byte colour entries, else 40 bytes
  bool fileHeader = true;             // "BM" file header in front, else a bare DIB
  bool topDown = false;               // rows stored top row first, negative height
  std::vector<uint32_t> palette;      // 0xRRGGBB, written as it is
  uint32_t coloursUsed = 0;           // the 40-byte header's colours-used field
  std::array<uint32_t, 3> masks{};    // red, green, blue; written with bit-fields only
  std::optional<uint32_t> imageSize;  // the image-size field; the pixel data's size if unset
};

// The file holding `picture`. Indexed layouts store the index of each colour in the palette
// (throws std::invalid_argument for a colour not in it); 16- and 32-bit layouts store the top
// bits of each channel that fit its mask (5-5-5 and 8-8-8 without bit-fields).
std::vector<uint8_t> BuildDib(const SamplePicture& picture, const SampleLayout& layout);

// The headers, masks and colour table of `layout` for a width × height picture, followed by
// `pixelData` exactly as given: for hand-made or damaged pixel data.
std::vector<uint8_t> BuildDibWithPixelData(const SampleLayout& layout, int32_t width,
                                           int32_t height, const std::vector<uint8_t>& pixelData);

// Run-length streams of palette indices (width × height, bottom row first): encoded runs for
// repeats, absolute runs for stretches of differing pixels, end of line after each row but
// the last, end of bitmap at the close.
std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& indices, int32_t width, int32_t height);
std::vector<uint8_t> EncodeRle4(const std::vector<uint8_t>& indices, int32_t width, int32_t height);

// 256 colours: a 6 × 6 × 6 colour cube and a 40-step blue ramp; DesktopPicture uses only these.
std::vector<uint32_t> DesktopPalette();

// A screen capture as a desktop looks: gradient wallpaper, icons, windows with title bars and
// lines of text, a taskbar. Flat areas and busy ones, as real captures have.
SamplePicture DesktopPicture(int32_t width = 1024, int32_t height = 768);

struct NamedSample {
  std::string name;
  SamplePicture picture;  // what the file holds
  std::vector<uint8_t> file;
};

// One small file of each layout the decoder reads: every bit count, both header sizes, bare
// DIBs, run-length and bit-field compression, top-down rows, short colour tables.
std::vector<NamedSample> SampleCatalogue();
