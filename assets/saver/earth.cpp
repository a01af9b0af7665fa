// The meteors' skin: the whole Earth, area-averaged down from a large equirectangular map, with
// clouds laid over it. The clouds follow the real pattern loosely: a band along the equator,
// clear skies over the subtropics, thick storm belts in the middle latitudes.
#include <algorithm>
#include <cmath>

#include "picture_noise.h"
#include "saver_picture_makers.h"

namespace {

constexpr uint64_t kCloudSeed = 0x636C6F756473ull;   // "clouds"
constexpr uint64_t kDetailSeed = 0x64657461696Cull;  // "detail"

constexpr double kDegree = kPi / 180;

// A smooth bump of height 1 at `centre`, 0 from `halfWidth` away.
double Bump(double x, double centre, double halfWidth) {
  const double d = (x - centre) / halfWidth;
  return d * d >= 1 ? 0 : (1 - d * d) * (1 - d * d);
}

// How cloudy a latitude is on the whole, 0 to 1.
double CloudCover(double latitude) {
  const double north = std::fabs(latitude);
  return 0.40 + 0.30 * Bump(north, 55 * kDegree, 22 * kDegree) +
         0.25 * Bump(latitude, 6 * kDegree, 9 * kDegree) -
         0.25 * Bump(north, 24 * kDegree, 12 * kDegree);
}

class Clouds {
 public:
  Clouds() : shape_(kCloudSeed), detail_(kDetailSeed) {}

  // Opacity from 0 to 1, and the cloud's own shade (its tops are lit unevenly).
  std::pair<double, double> At(double longitude, double latitude) const {
    // Stretched along the parallels: weather is drawn out east to west.
    const double ring = std::cos(latitude);
    const double x = ring * std::cos(longitude) * 2.4, y = ring * std::sin(longitude) * 2.4;
    const double z = latitude * 5.5;
    const double shape = 0.5 + 0.9 * shape_.Fractal(x, y, z, 6, 0.55);
    const double threshold = 1 - CloudCover(latitude);
    const double wisps = 0.65 + 0.35 * (0.5 + detail_.Fractal(x * 4, y * 4, z * 3, 3));
    const double opacity = SmoothStep(threshold - 0.05, threshold + 0.22, shape) * wisps;
    const double shade = 0.88 + 0.12 * SmoothStep(threshold, threshold + 0.4, shape);
    return {std::clamp(opacity, 0.0, 0.92), shade};
  }

 private:
  GradientNoise shape_, detail_;
};

constexpr double kCloudWhite[3] = {246, 248, 252};

uint8_t Over(uint8_t ground, double cloud, double opacity) {
  return static_cast<uint8_t>(std::lround(std::clamp(Mix(ground, cloud, opacity), 0.0, 255.0)));
}

}  // namespace

RgbPicture AreaAverage(const RgbPicture& source, int width, int height) {
  RgbPicture out{width, height, std::vector<Rgb8>(static_cast<size_t>(width) * height)};
  const double stepX = static_cast<double>(source.width) / width;
  const double stepY = static_cast<double>(source.height) / height;
  for (int y = 0; y < height; ++y) {
    const double top = y * stepY, bottom = (y + 1) * stepY;
    for (int x = 0; x < width; ++x) {
      const double left = x * stepX, right = (x + 1) * stepX;
      double sums[3] = {0, 0, 0}, area = 0;
      for (int sy = static_cast<int>(top); sy < source.height && sy < bottom; ++sy) {
        const double rowShare = std::min<double>(sy + 1, bottom) - std::max<double>(sy, top);
        for (int sx = static_cast<int>(left); sx < source.width && sx < right; ++sx) {
          const double share =
              rowShare * (std::min<double>(sx + 1, right) - std::max<double>(sx, left));
          const Rgb8 c = source.at(sx, sy);
          sums[0] += share * c.red;
          sums[1] += share * c.green;
          sums[2] += share * c.blue;
          area += share;
        }
      }
      auto mean = [&](int c) { return static_cast<uint8_t>(std::lround(sums[c] / area)); };
      out.at(x, y) = {mean(0), mean(1), mean(2)};
    }
  }
  return out;
}

RgbPicture MakeEarth(const RgbPicture& map) {
  RgbPicture earth = AreaAverage(map, kEarthSide, kEarthSide);
  const Clouds clouds;
  for (int y = 0; y < kEarthSide; ++y) {
    const double latitude = RowLatitude(y, kEarthSide);
    for (int x = 0; x < kEarthSide; ++x) {
      // The map's left edge is the date line: longitude -180 degrees.
      const auto [opacity, shade] = clouds.At(ColumnLongitude(x, kEarthSide) - kPi, latitude);
      Rgb8& pixel = earth.at(x, y);
      pixel = {Over(pixel.red, kCloudWhite[0] * shade, opacity),
               Over(pixel.green, kCloudWhite[1] * shade, opacity),
               Over(pixel.blue, kCloudWhite[2] * shade, opacity)};
    }
  }
  return earth;
}
