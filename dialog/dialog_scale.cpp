#include "dialog/dialog_scale.h"

int DialogScale::Pixels(int designPixels) const {
  if (designPixels == kFitsText) return kFitsText;
  // Halves round away from zero, as the platform's own MulDiv does.
  const long long scaled = static_cast<long long>(designPixels) * dotsPerInch_;
  const long long half = kDesignDotsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDotsPerInch
                                      : (scaled - half) / kDesignDotsPerInch);
}

// Edges are scaled rather than sizes, so that controls side by side at the design density never
// overlap at another, nor leave their parent.
ControlLayout DialogScale::Scaled(const ControlLayout& control) const {
  ControlLayout scaled = control;
  scaled.left = Pixels(control.left);
  scaled.top = Pixels(control.top);
  if (control.width != kFitsText) scaled.width = Pixels(control.left + control.width) - scaled.left;
  if (control.height != kFitsText) {
    scaled.height = Pixels(control.top + control.height) - scaled.top;
  }
  return scaled;
}
