// Decoder throughput on screen-sized files, next to a plain copy of the same bytes: the copy is
// the floor any decoder of those bytes has to stand on, so the ratio says what decoding costs.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scene/dib_decoder.h"
#include "scene/testing/dib_samples.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kScreenWidth = 1024;
constexpr int32_t kScreenHeight = 768;
constexpr double kMinSeconds = 1.0;  // each measurement repeats until it has run this long
constexpr double kMegabyte = 1e6;

// Each measured call leaves a byte of its result here, so the optimiser must keep the work.
volatile uint8_t resultSink;

// Seconds per call of `work`, repeated until kMinSeconds have passed.
template <typename Work>
double SecondsPerCall(Work&& work) {
  work();  // warm caches and the allocator
  long calls = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    work();
    ++calls;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < kMinSeconds);
  return elapsed / static_cast<double>(calls);
}

void Measure(const char* name, const std::vector<uint8_t>& file) {
  const double decode = SecondsPerCall([&] {
    const DibDecodeResult result = DecodeDib(file.data(), file.size());
    resultSink = result.image ? result.image->pixels.back() : 0;
  });
  std::vector<uint8_t> copy(file.size());
  const double memcpyTime = SecondsPerCall([&] {
    std::memcpy(copy.data(), file.data(), file.size());
    resultSink = copy.back();
  });
  const double megabytes = static_cast<double>(file.size()) / kMegabyte;
  std::printf("%-30s %9zu %12.1f %12.1f %12.1f\n", name, file.size(), megabytes / decode,
              megabytes / memcpyTime, decode / memcpyTime);
}

}  // namespace

int main() {
  const SamplePicture desktop = DesktopPicture(kScreenWidth, kScreenHeight);
  SampleLayout plain;
  plain.bitCount = 24;
  SampleLayout rle;
  rle.bitCount = 8;
  rle.compression = SampleCompression::Rle8;
  rle.palette = DesktopPalette();

  std::printf("%-30s %9s %12s %12s %12s\n", "file", "bytes", "decode MB/s", "memcpy MB/s",
              "decode/copy");
  Measure("1024x768 24-bit uncompressed", BuildDib(desktop, plain));
  Measure("1024x768 8-bit RLE (desktop)", BuildDib(desktop, rle));
  return 0;
}
