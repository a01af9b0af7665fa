// DrawButton's frame geometry and FillGradient's vertices and colours.
#include "controls/command_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr int kFrameTwips = 60;  // B: the frame is 4 pixels deep
constexpr int kOneTwip = 1;      // the pieces' 1-twip offsets, which fall on pixel 0
constexpr int kInt16Max = 32767;
constexpr int kInt16Min = -32768;

// The state images are 64 x 25 pixels, 960 x 375 twips: 15 twips to their pixel at any
// screen density.
constexpr int kImageTwipsPerPixel = 15;

// The caption sits this much above the vertical centre, twice over.
constexpr float kCaptionLiftTwice = 20.0f;

// The body's two colours, light and shade.
constexpr const char* kLightText = "&HFFFFFF";
constexpr const char* kShadeText = "&HC6C5D7";
constexpr int kChannelToVertex = 256;  // an 8-bit channel v is handed over as v * 256

// A destination coordinate: a fixed twip value or one of the values of the last paint.
enum class Span { One, Frame, InnerWidth, InnerHeight, RightColumn, BottomRow };

struct TwipRect {
  int x, y, width, height;
};

struct PieceLayout {
  TwipRect source;
  Span x, y, width, height;
};

// Short names for the table below.
constexpr Span kOne = Span::One;
constexpr Span kB = Span::Frame;
constexpr Span kIW = Span::InnerWidth;
constexpr Span kIH = Span::InnerHeight;
constexpr Span kRight = Span::RightColumn;
constexpr Span kBottom = Span::BottomRow;

// The eight frame pieces in drawing order, in twips: source rectangle in the state image, then
// the destination's x, y, width and height.
constexpr std::array<PieceLayout, 8> kPieces{{
    {{0, 0, 60, 60}, kOne, kOne, kB, kB},           // top-left corner
    {{60, 1, 840, 60}, kB, kOne, kIW, kB},          // top edge
    {{900, 1, 60, 60}, kRight, kOne, kB, kB},       // top-right corner
    {{900, 60, 60, 255}, kRight, kB, kB, kIH},      // right edge
    {{900, 315, 60, 60}, kRight, kBottom, kB, kB},  // bottom-right corner
    {{60, 315, 840, 60}, kB, kBottom, kIW, kB},     // bottom edge
    {{0, 315, 60, 60}, kOne, kBottom, kB, kB},      // bottom-left corner
    {{0, 60, 60, 255}, kOne, kB, kB, kIH},          // left edge
}};

int Resolve(Span span, const CommandPaintState& paint) {
  switch (span) {
    case Span::One:
      return kOneTwip;
    case Span::Frame:
      return kFrameTwips;
    case Span::InnerWidth:
      return paint.innerWidth;
    case Span::InnerHeight:
      return paint.innerHeight;
    case Span::RightColumn:
      return paint.rightColumn;
    case Span::BottomRow:
      return paint.bottomRow;
  }
  return 0;
}

// Rounds to the nearest integer, ties to even; nothing when the result leaves 16 bits.
std::optional<std::int16_t> ToInt16(float value) {
  const float rounded = std::nearbyint(value);
  if (!(rounded >= kInt16Min && rounded <= kInt16Max)) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

// An inner size: the control's size less both frames. A size that does not fit keeps the
// last paint's value. Controls under 8 pixels have no inner part rather than a negative one.
void UpdateInnerSize(float controlTwips, std::int16_t& inner, std::int16_t& farStart) {
  if (const std::optional<std::int16_t> size = ToInt16(controlTwips - 2 * kFrameTwips)) {
    inner = std::max<std::int16_t>(*size, 0);
  }
  const int start = kFrameTwips + inner;
  if (start <= kInt16Max) {
    farStart = static_cast<std::int16_t>(start);
  }
}

int TwipsToPixels(double twips, int twipsPerPixel) {
  return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

// Converts by edges, so that neighbouring pieces meet without gaps at any density.
PixelRect ToPixels(const TwipRect& rect, int perPixelX, int perPixelY) {
  const int left = TwipsToPixels(rect.x, perPixelX);
  const int top = TwipsToPixels(rect.y, perPixelY);
  return {left, top, TwipsToPixels(rect.x + rect.width, perPixelX) - left,
          TwipsToPixels(rect.y + rect.height, perPixelY) - top};
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

GradientVertex Vertex(float x, float y, Rgb colour) {
  GradientVertex vertex;
  vertex.x = static_cast<std::int32_t>(std::nearbyint(x));
  vertex.y = static_cast<std::int32_t>(std::nearbyint(y));
  vertex.red = static_cast<std::uint16_t>(colour.red * kChannelToVertex);
  vertex.green = static_cast<std::uint16_t>(colour.green * kChannelToVertex);
  vertex.blue = static_cast<std::uint16_t>(colour.blue * kChannelToVertex);
  return vertex;
}

// FillGradient: vertex 0 at the top left pixel, vertex 1 one pixel in from the bottom right
// corner (the frame covers the last column and row), light over shade unless inverted.
std::array<GradientVertex, 2> FillGradient(const CommandSurface& surface, int perPixelX,
                                           int perPixelY, bool invert) {
  const Rgb light = ColourFromText(kLightText);
  const Rgb shade = ColourFromText(kShadeText);
  const float scaleWidth = surface.widthTwips / static_cast<float>(perPixelX);
  const float scaleHeight = surface.heightTwips / static_cast<float>(perPixelY);
  return {Vertex(0, 0, invert ? shade : light),
          Vertex(scaleWidth - 1, scaleHeight - 1, invert ? light : shade)};
}

}  // namespace

Rgb ColourFromText(const char* text) {
  constexpr const char* kPrefix = "&H";
  constexpr std::size_t kPrefixLength = 2;
  constexpr std::size_t kDigits = 6;
  if (text == nullptr || std::strncmp(text, kPrefix, kPrefixLength) != 0) {
    return {};
  }
  const char* digits = text + kPrefixLength;
  const std::size_t length = std::strlen(digits);
  if (length == 0 || length > kDigits) {
    return {};
  }
  // Six digits, zero-padded on the left, read as three pairs.
  char padded[kDigits];
  std::fill(padded, padded + kDigits - length, '0');
  std::copy(digits, digits + length, padded + kDigits - length);
  int channels[3];
  for (int pair = 0; pair < 3; ++pair) {
    const int high = HexDigit(padded[2 * pair]);
    const int low = HexDigit(padded[2 * pair + 1]);
    if (high < 0 || low < 0) {
      return {};
    }
    channels[pair] = high * 16 + low;
  }
  return {static_cast<std::uint8_t>(channels[0]), static_cast<std::uint8_t>(channels[1]),
          static_cast<std::uint8_t>(channels[2])};
}

DrawPlan DrawButton(StateImage image, ButtonState state, const CommandSurface& surface,
                    CommandPaintState& paint) {
  // The direction follows the state, not the image; HighLightSelect keeps the last one.
  if (state == ButtonState::Normal || state == ButtonState::Selected) {
    paint.InvertGradient = false;
  } else if (state == ButtonState::HighLight) {
    paint.InvertGradient = true;
  }

  UpdateInnerSize(surface.widthTwips, paint.innerWidth, paint.rightColumn);
  UpdateInnerSize(surface.heightTwips, paint.innerHeight, paint.bottomRow);

  const int perPixelX = std::max(surface.twipsPerPixelX, 1);
  const int perPixelY = std::max(surface.twipsPerPixelY, 1);

  DrawPlan plan;
  plan.image = image;
  plan.gradient = FillGradient(surface, perPixelX, perPixelY, paint.InvertGradient);
  for (std::size_t i = 0; i < kPieces.size(); ++i) {
    const PieceLayout& layout = kPieces[i];
    const TwipRect destination{Resolve(layout.x, paint), Resolve(layout.y, paint),
                               Resolve(layout.width, paint), Resolve(layout.height, paint)};
    plan.pieces[i] = {ToPixels(layout.source, kImageTwipsPerPixel, kImageTwipsPerPixel),
                      ToPixels(destination, perPixelX, perPixelY)};
  }

  plan.captionTopTwips =
      (surface.heightTwips - surface.captionHeightTwips - kCaptionLiftTwice) / 2.0f;
  plan.caption = {0, TwipsToPixels(plan.captionTopTwips, perPixelY),
                  TwipsToPixels(surface.widthTwips, perPixelX),
                  TwipsToPixels(surface.captionHeightTwips, perPixelY)};
  return plan;
}

int FontPixelHeight(double points, int dotsPerInch) {
  constexpr double kPointsPerInch = 72;
  return static_cast<int>(std::lround(points * dotsPerInch / kPointsPerInch));
}
