// Writes the Command button's six 64 x 25 state images as 24-bit BMP files into a folder.
// Only the outer ring 4 pixels deep is ever drawn; the centre is left white.
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "bitmap_headers.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 25;

struct Rgb {
  std::uint8_t red, green, blue;
};

Rgb Mix(Rgb from, Rgb to, int step, int steps) {
  auto channel = [&](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(a + (b - a) * step / std::max(steps, 1));
  };
  return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// The light beige ring outside the frame line, and the dialog face.
constexpr Rgb kBeigeTop{224, 220, 201};
constexpr Rgb kBeigeSide{226, 222, 203};
constexpr Rgb kBeigeBottom{248, 247, 240};
constexpr Rgb kFace{236, 233, 216};
constexpr Rgb kCentre{255, 255, 255};

// One image's look: frame line and corner blends, then the two inner rings (next to the frame
// line first) along the top, the sides (at the top and at the bottom) and the bottom.
struct ImageLook {
  const char* fileName;
  bool faceOutside;  // an outermost ring of face colour
  bool pressedIn;    // the whole frame one pixel further in
  Rgb line, cornerOuter, cornerInner;
  Rgb top[2];
  Rgb sideTop[2];
  Rgb sideBottom[2];
  Rgb bottom[2];
};

constexpr Rgb kNavy{0, 60, 116};
constexpr Rgb kNavyCorner{122, 149, 168};
constexpr Rgb kNavyBlend{37, 87, 131};

// clang-format off
constexpr std::array<ImageLook, 6> kLooks{{
    {"command_normal.bmp", false, false, kNavy, kNavyCorner, kNavyBlend,
     {{243, 243, 238}, {254, 254, 254}}, {{243, 243, 238}, {254, 254, 254}},
     {{243, 243, 238}, {254, 254, 254}}, {{214, 208, 197}, {226, 223, 214}}},
    {"command_highlight.bmp", false, false, kNavy, kNavyCorner, kNavyBlend,
     {{255, 240, 207}, {253, 216, 137}}, {{254, 223, 154}, {254, 223, 154}},
     {{249, 180, 53}, {249, 180, 53}}, {{229, 151, 0}, {248, 179, 48}}},
    {"command_pressed.bmp", true, true, kNavy, kNavyCorner, kNavyBlend,
     {{209, 204, 193}, {209, 204, 193}}, {{215, 212, 203}, {215, 212, 203}},
     {{215, 212, 203}, {215, 212, 203}}, {{215, 212, 203}, {215, 212, 203}}},
    {"command_selected.bmp", false, false, kNavy, kNavyCorner, kNavyBlend,
     {{206, 231, 255}, {206, 231, 255}}, {{183, 208, 244}, {183, 208, 244}},
     {{139, 173, 228}, {139, 173, 228}}, {{105, 130, 238}, {105, 130, 238}}},
    // HighLightSelect is pixel for pixel the same bitmap as HighLight.
    {"command_highlightselect.bmp", false, false, kNavy, kNavyCorner, kNavyBlend,
     {{255, 240, 207}, {253, 216, 137}}, {{254, 223, 154}, {254, 223, 154}},
     {{249, 180, 53}, {249, 180, 53}}, {{229, 151, 0}, {248, 179, 48}}},
    {"command_disable.bmp", true, false, {201, 199, 186}, {216, 213, 199}, {203, 201, 188},
     {{245, 244, 234}, {245, 244, 234}}, {{245, 244, 234}, {245, 244, 234}},
     {{245, 244, 234}, {245, 244, 234}}, {{245, 244, 234}, {245, 244, 234}}},
}};
// clang-format on

enum class Side { Top, Bottom, Left, Right };

// Which ring (0 outermost) a pixel lies on, and the side it belongs to; top and bottom win at
// the corners.
Side SideOf(int x, int y, int ring) {
  if (y == ring) return Side::Top;
  if (kHeight - 1 - y == ring) return Side::Bottom;
  return x == ring ? Side::Left : Side::Right;
}

Rgb BeigeFor(Side side) {
  switch (side) {
    case Side::Top:
      return kBeigeTop;
    case Side::Bottom:
      return kBeigeBottom;
    default:
      return kBeigeSide;
  }
}

bool IsCornerOf(int x, int y, int ring, int distance) {
  const int dx = std::min(x - ring, kWidth - 1 - ring - x);
  const int dy = std::min(y - ring, kHeight - 1 - ring - y);
  return dx + dy == distance && dx <= distance && dy <= distance;
}

Rgb PixelOf(const ImageLook& look, int x, int y) {
  const int ring = std::min({x, y, kWidth - 1 - x, kHeight - 1 - y});
  if (ring >= 4) return kCentre;
  const Side side = SideOf(x, y, ring);
  // Rings as seen from outside: [face], beige, frame line, inner ring 0, inner ring 1.
  if (look.faceOutside && ring == 0) return kFace;
  const int layer = ring - (look.pressedIn ? 1 : 0);
  if (layer == 0) return BeigeFor(side);
  if (layer == 1) {
    if (IsCornerOf(x, y, ring, 0)) return look.cornerOuter;
    if (IsCornerOf(x, y, ring, 1)) return look.cornerInner;
    return look.line;
  }
  const int inner = layer - 2;
  switch (side) {
    case Side::Top:
      return look.top[inner];
    case Side::Bottom:
      return look.bottom[inner];
    default:
      return Mix(look.sideTop[inner], look.sideBottom[inner], y, kHeight - 1);
  }
}

std::vector<std::uint8_t> Bitmap(const ImageLook& look) {
  std::vector<std::uint8_t> out = BitmapFileHeaders(kWidth, kHeight, 24, 0);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = PixelOf(look, x, y);
      out.push_back(c.blue);
      out.push_back(c.green);
      out.push_back(c.red);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr int kUsage = 2;
  if (argc != 2) return kUsage;
  for (const ImageLook& look : kLooks) {
    const std::vector<std::uint8_t> bytes = Bitmap(look);
    std::ofstream file(std::string(argv[1]) + "/" + look.fileName, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) return 1;
  }
  return 0;
}
