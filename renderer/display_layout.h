#pragma once

#include <vector>

// Where the scene goes on the user's displays, decided from what the system reports, with no
// platform calls: whether the display mode is changed, and which monitors are covered in black.

// A rectangle of the virtual screen, in pixels; right and bottom are outside it.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool Contains(const ScreenRect& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
  }
  bool operator==(const ScreenRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct DisplayMode {
  int width = 0, height = 0, bits = 0;
  bool operator==(const DisplayMode& o) const {
    return width == o.width && height == o.height && bits == o.bits;
  }
};

// The scene is designed for one mode (1024 x 768 at 32 bits). The display is switched to it only
// when the display lists it among its modes; a display that does not (many current monitors and
// docks have no 1024 x 768) keeps its mode, with no attempt that would re-sync every screen, and
// the scene fills the primary monitor as it is. A listed mode that is then refused all the same
// falls back the same way.
enum class ModeChoice { ChangeToDesignMode, KeepCurrentMode };
ModeChoice ChooseDisplayMode(const std::vector<DisplayMode>& offered, const DisplayMode& design);

// The monitors to cover with a black window while the scene runs on `scene`: every monitor that
// the scene's rectangle does not already hold, whole. Monitors inside it (the scene's own, or a
// copy of it on a cloned display) need none; each cover is listed once.
std::vector<ScreenRect> CoverRects(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& scene);
