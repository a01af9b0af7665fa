// Writes the settings dialog's artwork into a folder: the brushed panel strip, the two radio
// images, the link cursor and the window icon (a small planet struck by a meteor).
//
// Only integer arithmetic and square roots are used, so every machine writes the same bytes.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

constexpr int kPanelWidth = 556;
constexpr int kPanelHeight = 20;
constexpr int kRadioSize = 12;
constexpr int kLinkHotX = 12;
constexpr int kLinkHotY = 10;

std::uint8_t Clamp(double value) {
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(value)), 0, 255));
}

// A deterministic pseudo-random value in [0, 1) for a pair of integers.
double Hash(std::uint32_t a, std::uint32_t b) {
  std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / static_cast<double>(0x1000000);
}

// The panel texture: light grey, brushed along its length, darkening from left to right. The
// streaks run through the strip's 20 rows so that tiles stacked one below the other meet softly.
Picture PanelStrip() {
  Picture strip{kPanelWidth, kPanelHeight, {}};
  strip.pixels.resize(static_cast<std::size_t>(kPanelWidth * kPanelHeight));
  constexpr int kStreakLength = 24;  // brushing: noise averaged along the row
  for (int y = 0; y < kPanelHeight; ++y) {
    const double rowTone = (Hash(1, static_cast<std::uint32_t>(y)) - 0.5) * 6;
    for (int x = 0; x < kPanelWidth; ++x) {
      double streak = 0;
      for (int i = 0; i < kStreakLength; ++i) {
        streak += Hash(static_cast<std::uint32_t>(y) + 100, static_cast<std::uint32_t>(x + i));
      }
      streak = (streak / kStreakLength - 0.5) * 18;
      const double grain =
          (Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y) + 7) - 0.5) * 3;
      const double base = 236 - 44.0 * x / (kPanelWidth - 1);
      const double level = base + rowTone + streak + grain;
      strip.at(x, y) = {Clamp(level), Clamp(level), Clamp(level + 3)};
    }
  }
  return strip;
}

// The unselected choice: an empty grey square with a light inside.
Picture RadioOff() {
  Picture radio{kRadioSize, kRadioSize, {}};
  radio.pixels.resize(kRadioSize * kRadioSize);
  for (int y = 0; y < kRadioSize; ++y) {
    for (int x = 0; x < kRadioSize; ++x) {
      const int ring = std::min({x, y, kRadioSize - 1 - x, kRadioSize - 1 - y});
      Rgb c{244, 244, 244};
      if (ring == 0) {
        c = {128, 128, 128};
      } else if (ring == 1) {
        c = (x == 1 || y == 1) ? Rgb{200, 200, 200} : Rgb{232, 232, 232};
      }
      radio.at(x, y) = c;
    }
  }
  return radio;
}

// The selected choice: a square filled with blue, lighter towards its top left.
Picture RadioOn() {
  Picture radio{kRadioSize, kRadioSize, {}};
  radio.pixels.resize(kRadioSize * kRadioSize);
  for (int y = 0; y < kRadioSize; ++y) {
    for (int x = 0; x < kRadioSize; ++x) {
      const int ring = std::min({x, y, kRadioSize - 1 - x, kRadioSize - 1 - y});
      Rgb c;
      if (ring == 0) {
        c = {20, 50, 140};
      } else {
        const double t = (x + y) / (2.0 * (kRadioSize - 1));
        c = {Clamp(90 - 60 * t), Clamp(150 - 70 * t), Clamp(250 - 40 * t)};
      }
      radio.at(x, y) = c;
    }
  }
  return radio;
}

// The link cursor: a pointing hand, its fingertip on the hot spot (12, 10). '#' black outline,
// '.' white, ' ' transparent.
// clang-format off
constexpr std::array<const char*, 32> kHand{{
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "           ##                   ",
    "          #..#                  ",
    "          #..#                  ",
    "          #..#                  ",
    "          #..#                  ",
    "          #..###                ",
    "          #..#..###             ",
    "          #..#..#..##           ",
    "       ## #..#..#..#.#          ",
    "      #..##........#..#         ",
    "      #...#...........#         ",
    "       #..............#         ",
    "        #.............#         ",
    "        #............#          ",
    "         #...........#          ",
    "         #..........#           ",
    "          #.........#           ",
    "          #.........#           ",
    "          ###########           ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
}};
// clang-format on

std::vector<CursorPixel> LinkCursor() {
  std::vector<CursorPixel> pixels;
  for (const char* row : kHand) {
    for (int x = 0; x < kCursorSize; ++x) {
      pixels.push_back(row[x] == '#'   ? CursorPixel::Black
                       : row[x] == '.' ? CursorPixel::White
                                       : CursorPixel::Transparent);
    }
  }
  return pixels;
}

// --- The window icon ---------------------------------------------------------------------------

struct Colour {
  double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// One sample of the icon at (x, y) in icon pixels; `cover` is 0 where nothing is drawn.
struct Sample {
  Colour colour{0, 0, 0};
  double cover = 0;
};

constexpr double kPlanetX = 19.5, kPlanetY = 19.5, kPlanetRadius = 11.0;
constexpr double kMeteorX = 10.0, kMeteorY = 10.0, kMeteorRadius = 2.6;
// The trail runs from the meteor back up and to the left.
constexpr double kTrailX = 1.0, kTrailY = 1.5;

// Land on the planet: a few soft blobs on the sphere's face.
bool IsLand(double u, double v) {
  struct Blob {
    double x, y, r;
  };
  constexpr std::array<Blob, 5> kLand{{
      {-0.35, -0.30, 0.30},
      {-0.10, -0.45, 0.22},
      {0.35, 0.10, 0.32},
      {0.15, 0.45, 0.20},
      {-0.45, 0.35, 0.18},
  }};
  for (const Blob& blob : kLand) {
    const double dx = u - blob.x, dy = v - blob.y;
    if (dx * dx + dy * dy < blob.r * blob.r) return true;
  }
  return false;
}

Sample PlanetAt(double x, double y) {
  const double u = (x - kPlanetX) / kPlanetRadius, v = (y - kPlanetY) / kPlanetRadius;
  const double d2 = u * u + v * v;
  if (d2 > 1) return {};
  const double w = std::sqrt(1 - d2);
  // Lit from the upper left, where the meteor comes from.
  const double lx = -0.55, ly = -0.6, lz = 0.58;
  const double light = std::max(0.0, u * lx + v * ly + w * lz);
  const Colour sea{30, 90, 200}, land{60, 150, 70}, night{6, 12, 40};
  Colour surface = IsLand(u, v) ? land : sea;
  Colour lit = Mix(night, surface, std::min(1.0, 0.18 + light * 1.05));
  // A thin bright atmosphere along the lit rim.
  const double rim = std::max(0.0, 1 - w * 3.2) * light * 1.6;
  lit = Mix(lit, Colour{170, 215, 255}, std::min(1.0, rim));
  // The shine of the sun on the sea.
  const double shine = light > 0.93 ? (light - 0.93) / 0.07 : 0;
  if (!IsLand(u, v)) lit = Mix(lit, Colour{235, 245, 255}, shine * 0.7);
  return {lit, 1};
}

// The meteor: a white-hot head in an orange glow, its trail fading to red towards the corner.
Sample MeteorAt(double x, double y) {
  const double dx = x - kMeteorX, dy = y - kMeteorY;
  const double head = std::sqrt(dx * dx + dy * dy);
  Sample sample;
  if (head < kMeteorRadius + 1.2) {
    const double t = std::clamp((head - 0.8) / (kMeteorRadius + 0.4), 0.0, 1.0);
    sample.colour = Mix(Colour{255, 255, 235}, Colour{255, 150, 30}, t);
    sample.cover = head < kMeteorRadius + 0.6 ? 1 : 0;
  }
  // Distance from the trail's axis and how far along it (0 at the head, 1 at its end).
  const double ax = kTrailX - kMeteorX, ay = kTrailY - kMeteorY;
  const double length2 = ax * ax + ay * ay;
  const double along = (dx * ax + dy * ay) / length2;
  if (along > 0 && along < 1 && sample.cover == 0) {
    const double px = dx - along * ax, py = dy - along * ay;
    const double across = std::sqrt(px * px + py * py);
    const double width = kMeteorRadius * (1 - along) + 0.35;
    if (across < width) {
      const Colour hot{255, 220, 120}, cool{200, 40, 20};
      sample.colour = Mix(hot, cool, along);
      sample.cover = 1;
    }
  }
  return sample;
}

// The icon at 4 x 4 samples a pixel: the meteor over the planet; a pixel is drawn when at least
// half of it is covered, in the mean colour of its covered samples.
struct IconPixels {
  std::vector<Colour> colours;
  std::vector<bool> transparent;
};

IconPixels DrawIcon() {
  constexpr int kSamples = 4;
  IconPixels icon;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      Colour sum{0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples, py = y + (sy + 0.5) / kSamples;
          Sample s = MeteorAt(px, py);
          if (s.cover == 0) s = PlanetAt(px, py);
          if (s.cover == 0) continue;
          sum = {sum.r + s.colour.r, sum.g + s.colour.g, sum.b + s.colour.b};
          ++covered;
        }
      }
      const bool drawn = covered * 2 >= kSamples * kSamples;
      icon.transparent.push_back(!drawn);
      icon.colours.push_back(drawn ? Colour{sum.r / covered, sum.g / covered, sum.b / covered}
                                   : Colour{0, 0, 0});
    }
  }
  return icon;
}

int Distance2(const Rgb& a, const Rgb& b) {
  const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
  return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

// 256 colours: black first (the transparent pixels' colour), then the colours the icon uses
// most, each channel cut to 4 bits with its mean kept; every pixel takes the nearest.
std::vector<std::uint8_t> IconFile() {
  const IconPixels icon = DrawIcon();
  std::vector<Rgb> exact;
  std::map<int, std::array<double, 4>> buckets;  // key -> sums of r, g, b and the count
  for (std::size_t i = 0; i < icon.colours.size(); ++i) {
    const Rgb c{Clamp(icon.colours[i].r), Clamp(icon.colours[i].g), Clamp(icon.colours[i].b)};
    exact.push_back(c);
    if (icon.transparent[i]) continue;
    auto& bucket = buckets[(c.red >> 4) << 8 | (c.green >> 4) << 4 | (c.blue >> 4)];
    bucket[0] += c.red;
    bucket[1] += c.green;
    bucket[2] += c.blue;
    bucket[3] += 1;
  }
  std::vector<std::pair<double, Rgb>> ranked;
  for (const auto& [key, sums] : buckets) {
    ranked.push_back({sums[3], Rgb{Clamp(sums[0] / sums[3]), Clamp(sums[1] / sums[3]),
                                   Clamp(sums[2] / sums[3])}});
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Rgb> palette{{0, 0, 0}};
  for (const auto& entry : ranked) {
    if (static_cast<int>(palette.size()) == kIconColours) break;
    palette.push_back(entry.second);
  }
  std::vector<std::uint8_t> indices;
  for (std::size_t i = 0; i < exact.size(); ++i) {
    std::size_t best = 0;
    for (std::size_t p = 1; p < palette.size(); ++p) {
      if (Distance2(exact[i], palette[p]) < Distance2(exact[i], palette[best])) best = p;
    }
    indices.push_back(static_cast<std::uint8_t>(best));
  }
  return PaletteIconFile(palette, indices, icon.transparent);
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int kUsage = 2;
  if (argc != 2) return kUsage;
  const std::string folder = std::string(argv[1]) + "/";
  const bool written =
      Write(folder + "dialog_panel.bmp", BitmapFile(PanelStrip())) &&
      Write(folder + "dialog_radio_off.bmp", BitmapFile(RadioOff())) &&
      Write(folder + "dialog_radio_on.bmp", BitmapFile(RadioOn())) &&
      Write(folder + "dialog_link.cur", MonochromeCursorFile(LinkCursor(), kLinkHotX, kLinkHotY)) &&
      Write(folder + "mirebora.ico", IconFile());
  return written ? 0 : 1;
}
