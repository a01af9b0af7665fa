// Any bytes give either a picture of consistent size or a refusal, never a fault.

#include <cstdlib>

#include "scene/dib_decoder.h"

namespace {

// Smaller than the renderer's limit so that each run stays quick: 4 Mpixels, 12 MB of output.
constexpr int64_t kFuzzMaxPixels = int64_t{1} << 22;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DibLimits limits;
  limits.maxPixels = kFuzzMaxPixels;
  const DibDecodeResult result = DecodeDib(data, size, limits);
  if (result.image) {
    const RgbImage& image = *result.image;
    Require(result.error == DibError::None);
    Require(image.width > 0 && image.height > 0);
    Require(int64_t{image.width} * image.height <= kFuzzMaxPixels);
    Require(image.pixels.size() == size_t{3} * image.width * image.height);
  } else {
    Require(result.error != DibError::None);
  }
  PaletteEntryCount(data, size);
  return 0;
}
