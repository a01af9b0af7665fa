#include "renderer/display_layout.h"

#include <algorithm>

ModeChoice ChooseDisplayMode(const std::vector<DisplayMode>& offered, const DisplayMode& design) {
  return std::find(offered.begin(), offered.end(), design) != offered.end()
             ? ModeChoice::ChangeToDesignMode
             : ModeChoice::KeepCurrentMode;
}

std::vector<ScreenRect> CoverRects(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& scene) {
  std::vector<ScreenRect> covers;
  for (const ScreenRect& monitor : monitors) {
    if (monitor.width() <= 0 || monitor.height() <= 0 || scene.Contains(monitor)) continue;
    if (std::find(covers.begin(), covers.end(), monitor) == covers.end()) {
      covers.push_back(monitor);
    }
  }
  return covers;
}
