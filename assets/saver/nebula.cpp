// The sky: glowing gas in blues, violets and reds over a star field. The renderer wraps it
// round the inside of a sphere, so the gas is drawn from noise on the sphere itself and the
// stars are scattered evenly over the sphere, not over the flat picture.
#include <algorithm>
#include <cmath>

#include "picture_noise.h"
#include "saver_picture_makers.h"

namespace {

constexpr uint64_t kGasSeed = 0x6E6562756C61ull;  // "nebula"
constexpr uint64_t kHueSeed = 0x687565ull;        // "hue"
constexpr uint64_t kDustSeed = 0x64757374ull;     // "dust"
constexpr uint64_t kStarSeed = 0x7374617273ull;   // "stars"
constexpr int kStarCount = 520;

struct Colour {
  double red, green, blue;
};

Colour Blend(Colour a, Colour b, double amount) {
  return {Mix(a.red, b.red, amount), Mix(a.green, b.green, amount), Mix(a.blue, b.blue, amount)};
}

constexpr Colour kSpace{2, 3, 10};
// The gas colour runs through these as the hue noise rises.
constexpr Colour kHues[] = {{30, 60, 190}, {105, 45, 175}, {185, 40, 110}, {210, 80, 50}};
constexpr int kHueCount = sizeof kHues / sizeof kHues[0];
constexpr Colour kHotCore{255, 225, 235};

Colour HueAt(double h) {
  const double position = std::clamp(h, 0.0, 1.0) * (kHueCount - 1);
  const int index = std::min(static_cast<int>(position), kHueCount - 2);
  return Blend(kHues[index], kHues[index + 1], position - index);
}

class Gas {
 public:
  Gas() : gas_(kGasSeed), hue_(kHueSeed), dust_(kDustSeed) {}

  Colour At(const SpherePoint& p) const {
    const double cloud = gas_.Fractal(p.x * 1.8, p.y * 1.8, p.z * 1.8, 7, 0.55);
    const double density = std::pow(SmoothStep(-0.18, 0.45, cloud), 1.6);
    // Bright filaments along the zero lines of a second octave stack.
    const double ridge = 1 - std::fabs(gas_.Fractal(p.x * 3.1 + 7, p.y * 3.1, p.z * 3.1, 5));
    const double filaments = std::pow(ridge, 6) * SmoothStep(0.0, 0.4, density);
    const double hue = 0.5 + 1.6 * hue_.Fractal(p.x * 1.2, p.y * 1.2, p.z * 1.2, 3);
    const double lanes = SmoothStep(0.05, 0.35, dust_.Fractal(p.x * 2.6, p.y * 2.6, p.z * 2.6, 5));
    const double light = (0.85 * density + 0.55 * filaments) * (1 - 0.7 * lanes);
    const Colour gas = Blend(HueAt(hue), kHotCore, SmoothStep(0.75, 1.1, light) * 0.6);
    return {kSpace.red + gas.red * light, kSpace.green + gas.green * light,
            kSpace.blue + gas.blue * light};
  }

 private:
  GradientNoise gas_, hue_, dust_;
};

uint8_t ToByte(double value) {
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

void AddLight(RgbPicture& sky, int x, int y, Colour light) {
  x = (x % sky.width + sky.width) % sky.width;  // the sky closes on itself across
  if (y < 0 || y >= sky.height) return;
  Rgb8& pixel = sky.at(x, y);
  pixel = {ToByte(pixel.red + light.red), ToByte(pixel.green + light.green),
           ToByte(pixel.blue + light.blue)};
}

// Mostly faint stars, a few bright ones with a small glow round them; white with a hint of blue
// or of yellow.
void ScatterStars(RgbPicture& sky) {
  SeededRandom random(kStarSeed);
  for (int star = 0; star < kStarCount; ++star) {
    const double longitude = 2 * kPi * random.Uniform();
    const double latitude = std::asin(2 * random.Uniform() - 1);  // even over the sphere
    const double brightness = 0.18 + 0.82 * std::pow(random.Uniform(), 5);
    const double tint = random.Uniform() - 0.5;
    const Colour light{255 * brightness * (1 + 0.3 * tint), 255 * brightness,
                       255 * brightness * (1 - 0.3 * tint)};
    const int x = static_cast<int>(longitude / (2 * kPi) * sky.width);
    const int y =
        std::clamp(static_cast<int>((kPi / 2 - latitude) / kPi * sky.height), 0, sky.height - 1);
    AddLight(sky, x, y, light);
    if (brightness > 0.55) {
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const double share = dx == 0 && dy == 0 ? 0 : (dx == 0 || dy == 0 ? 0.28 : 0.12);
          AddLight(sky, x + dx, y + dy,
                   {light.red * share, light.green * share, light.blue * share});
        }
      }
    }
  }
}

}  // namespace

PalettedPicture MakeNebula() {
  RgbPicture sky{kNebulaSide, kNebulaSide,
                 std::vector<Rgb8>(static_cast<size_t>(kNebulaSide) * kNebulaSide)};
  const Gas gas;
  for (int y = 0; y < kNebulaSide; ++y) {
    const double latitude = RowLatitude(y, kNebulaSide);
    for (int x = 0; x < kNebulaSide; ++x) {
      const Colour c = gas.At(OnSphere(ColumnLongitude(x, kNebulaSide), latitude));
      sky.at(x, y) = {ToByte(c.red), ToByte(c.green), ToByte(c.blue)};
    }
  }
  ScatterStars(sky);
  return QuantizeTo256(sky);
}
