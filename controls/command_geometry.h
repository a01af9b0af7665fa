#pragma once

#include <array>
#include <cstdint>

#include "controls/command_state.h"

// What DrawButton paints, worked out without a device context: the shell clears the surface,
// fills the gradient through its two vertices, copies or stretches the eight frame pieces from
// the state image, and places the caption, exactly as a DrawPlan lists them.

// Frame arithmetic is done in twips (1/1440 inch) in signed 16 bits; the plan is in pixels.
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

// The height in pixels of a font of `points` at `dotsPerInch`: points x dots per inch / 72,
// rounded to the nearest pixel once (9.75 points: 13 pixels at 96, 16 at 120, 20 at 144; not 17
// at 120, as rounding the points to 10 first would give).
int FontPixelHeight(double points, int dotsPerInch);

// The control's size as the shell knows it, and the height of its one-line caption.
struct CommandSurface {
  float widthTwips = 0;
  float heightTwips = 0;
  int twipsPerPixelX = kTwipsPerPixelAt96Dpi;
  int twipsPerPixelY = kTwipsPerPixelAt96Dpi;
  float captionHeightTwips = 195;
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// One piece of the frame: `source` in the 64 x 25 state image, `destination` on the surface.
struct FramePiece {
  PixelRect source;
  PixelRect destination;
  // Equal sizes are copied unscaled; others are stretched.
  bool Stretched() const {
    return source.width != destination.width || source.height != destination.height;
  }
};

// A gradient vertex as the platform's gradient fill takes it: channels 0 to 0xFF00.
struct GradientVertex {
  std::int32_t x = 0, y = 0;
  std::uint16_t red = 0, green = 0, blue = 0, alpha = 0;
};

// The paint, in the order the shell performs it: clear the surface to its background colour,
// one vertical gradient rectangle spanning vertex 0 and vertex 1, the eight pieces in order,
// refresh, then the caption label moved to `caption` (its text centred across the width).
struct DrawPlan {
  StateImage image = StateImage::Normal;
  std::array<GradientVertex, 2> gradient;
  std::array<FramePiece, 8> pieces;
  PixelRect caption;
  float captionTopTwips = 0;
};

// The colours of the body, (red, green, blue).
struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// Reads a colour text constant such as "&HC6C5D7": its value written as six hexadecimal digits,
// taken as red, green and blue pairs in that order. Text that is not "&H" and 1 to 6 hex digits
// gives black.
Rgb ColourFromText(const char* text);

// The paint state a control keeps between paints: the gradient direction and the frame values
// of the last paint, which a size computation that leaves 16 bits keeps.
struct CommandPaintState {
  bool InvertGradient = false;
  std::int16_t innerWidth = 0;
  std::int16_t innerHeight = 0;
  std::int16_t rightColumn = 0;  // B + IW
  std::int16_t bottomRow = 0;    // B + IH
};

// DrawButton(image) for a control in `state`: updates the paint state and returns the plan.
DrawPlan DrawButton(StateImage image, ButtonState state, const CommandSurface& surface,
                    CommandPaintState& paint);
