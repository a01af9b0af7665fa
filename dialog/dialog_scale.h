#pragma once

#include "controls/command_geometry.h"
#include "dialog/dialog_layout.h"

// The dialog at the display's density: its layout is designed in pixels at 96 dots per inch, and
// a display of more dots per inch (125 % scaling is 120, 150 % is 144) gets every place, size and
// the client area in proportion, each rounded once to the nearest pixel. Fonts keep their point
// sizes, converted to pixels at the display's density (FontPixelHeight), also rounded once.

inline constexpr int kDesignDotsPerInch = 96;

class DialogScale {
 public:
  // A density the display does not report (0 or less) is taken as the design density.
  explicit DialogScale(int dotsPerInch)
      : dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : kDesignDotsPerInch) {}

  int dotsPerInch() const { return dotsPerInch_; }

  // A length of the design in pixels at this density. kFitsText stays as it is.
  int Pixels(int designPixels) const;

  // The control's row with its place and size at this density (its edges scaled, so that
  // neighbours keep apart).
  ControlLayout Scaled(const ControlLayout& control) const;

  int ClientWidth() const { return Pixels(kDialogClientWidth); }
  int ClientHeight() const { return Pixels(kDialogClientHeight); }

 private:
  int dotsPerInch_;
};
