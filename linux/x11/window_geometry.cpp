#include "linux/x11/window_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// The pixels two areas share.
int64_t SharedPixels(const ScreenArea& a, const ScreenArea& b) {
  const int64_t width =
      std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width) - std::max(a.x, b.x);
  const int64_t height =
      std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

bool Covers(const ScreenArea& outer, const ScreenArea& inner) {
  return SharedPixels(outer, inner) == int64_t{inner.width} * inner.height;
}

}  // namespace

WindowPlacement PlaceOwnWindow(const WindowGeometry& geometry, int screenWidth, int screenHeight) {
  WindowPlacement placement;
  placement.width = geometry.width.value_or(kDefaultWindowWidth);
  placement.height = geometry.height.value_or(kDefaultWindowHeight);
  placement.sizeGiven = geometry.width.has_value();
  if (geometry.x && geometry.y) {
    placement.x = geometry.xFromRight ? screenWidth - placement.width - *geometry.x : *geometry.x;
    placement.y =
        geometry.yFromBottom ? screenHeight - placement.height - *geometry.y : *geometry.y;
    placement.positionGiven = true;
  }
  return placement;
}

int HeadPlace(const std::vector<ScreenArea>& heads, const ScreenArea& window) {
  if (std::all_of(heads.begin(), heads.end(),
                  [&window](const ScreenArea& head) { return Covers(window, head); })) {
    return 0;
  }
  int place = 0;
  int64_t most = 0;
  for (size_t i = 0; i < heads.size(); ++i) {
    const int64_t shared = SharedPixels(heads[i], window);
    if (shared > most) {
      most = shared;
      place = static_cast<int>(i);
    }
  }
  return place;
}
