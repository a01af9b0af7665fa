// The debris sprite: a white crescent with soft edges. The explosions draw it added onto the
// scene, so everything black in it is invisible and its square outline never shows.
#include <algorithm>
#include <cmath>

#include "picture_noise.h"
#include "saver_picture_makers.h"

namespace {

// In units of half the picture's side, centred on the picture's middle.
constexpr double kOuterRadius = 0.70;
constexpr double kBiteX = 0.26, kBiteY = -0.20;  // the bite's centre: upper right
constexpr double kBiteRadius = 0.60;
constexpr double kCoreSoftness = 0.16;  // from full white to the halo
constexpr double kHaloWidth = 0.24;
constexpr double kHaloStrength = 0.35;
// Nothing beyond this radius: a border of at least three black pixels all round.
constexpr double kBlackFrom = 0.95;
constexpr double kFadeFrom = 0.80;

double Brightness(double u, double v) {
  const double r = std::sqrt(u * u + v * v);
  // Signed distance to the crescent: negative inside the disc and outside its bite.
  const double toOuter = r - kOuterRadius;
  const double toBite =
      kBiteRadius - std::sqrt((u - kBiteX) * (u - kBiteX) + (v - kBiteY) * (v - kBiteY));
  const double distance = std::max(toOuter, toBite);
  const double core = 1 - SmoothStep(-kCoreSoftness, kCoreSoftness * 0.5, distance);
  const double halo = 1 - SmoothStep(-kCoreSoftness, kHaloWidth, distance);
  const double light = std::max(core, kHaloStrength * halo * halo);
  return light * (1 - SmoothStep(kFadeFrom, kBlackFrom, r));
}

}  // namespace

PalettedPicture MakeGlow() {
  PalettedPicture glow{kGlowSide, kGlowSide, std::vector<Rgb8>(256),
                       std::vector<uint8_t>(kGlowSide * kGlowSide)};
  for (int level = 0; level < 256; ++level) {
    const auto grey = static_cast<uint8_t>(level);
    glow.palette[level] = {grey, grey, grey};
  }
  const double half = kGlowSide / 2.0;
  for (int y = 0; y < kGlowSide; ++y) {
    for (int x = 0; x < kGlowSide; ++x) {
      const double light = Brightness((x + 0.5 - half) / half, (y + 0.5 - half) / half);
      glow.indices[static_cast<size_t>(y) * kGlowSide + x] =
          static_cast<uint8_t>(std::lround(255 * std::clamp(light, 0.0, 1.0)));
    }
  }
  return glow;
}
