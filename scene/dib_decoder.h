#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scene/rgb_image.h"

// Decoding of Windows device-independent bitmaps ("BM" files and bare DIBs) into RgbImage.
// The bytes come from files other programs may write, so every input either yields a picture
// or one of the refusals below; nothing is read outside the given bytes.

enum class DibError {
  None,
  OpenFailed,       // no bytes at all: the file could not be mapped
  UnknownFormat,    // header size neither 12 nor 40, or the header itself is cut off
  OutOfMemory,      // the picture is larger than the decoder's limits allow
  ConversionError,  // the pixel data cannot be converted (bad bit count, compression, sizes)
};

// The message the renderer shows for an error; `path` fills the open-failure text.
std::string DibErrorMessage(DibError error, std::string_view path);

struct DibLimits {
  // Largest picture decoded, in pixels (the output takes 3 bytes a pixel). 2^26 pixels
  // covers an 8K screen capture with room to spare.
  int64_t maxPixels = int64_t{1} << 26;
  // Longest side accepted, in pixels.
  int32_t maxSide = 32768;
};

struct DibDecodeResult {
  std::optional<RgbImage> image;
  DibError error = DibError::None;
};

// Decodes a whole file's bytes.
DibDecodeResult DecodeDib(const uint8_t* data, size_t size, const DibLimits& limits = {});

// Number of colour-table entries the DIB header at `header` declares (see the .cpp for the rule).
// `available` is the number of readable bytes from `header` on; a header too short to hold the
// fields read gives 0.
uint16_t PaletteEntryCount(const uint8_t* header, size_t available);
