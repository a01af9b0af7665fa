#include "linux/x11/window_geometry.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

WindowPlacement PlaceOwnWindow(const std::string& geometry, int screenWidth, int screenHeight) {
  WindowPlacement placement;
  placement.width = kDefaultWindowWidth;
  placement.height = kDefaultWindowHeight;
  int x = 0;
  int y = 0;
  unsigned int width = 0;
  unsigned int height = 0;
  const int given = XParseGeometry(geometry.c_str(), &x, &y, &width, &height);
  if ((given & WidthValue) != 0 && width > 0) {
    placement.width = static_cast<int>(width);
    placement.sizeGiven = true;
  }
  if ((given & HeightValue) != 0 && height > 0) {
    placement.height = static_cast<int>(height);
    placement.sizeGiven = true;
  }
  if ((given & XValue) != 0) {
    placement.x = (given & XNegative) != 0 ? screenWidth - placement.width + x : x;
    placement.positionGiven = true;
  }
  if ((given & YValue) != 0) {
    placement.y = (given & YNegative) != 0 ? screenHeight - placement.height + y : y;
    placement.positionGiven = true;
  }
  return placement;
}
