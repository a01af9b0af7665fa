#include "linux/x11/window_head.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <utility>
#include <vector>

namespace {

// RandR lists monitors from version 1.5 on.
constexpr int kMonitorsMajor = 1;
constexpr int kMonitorsMinor = 5;

std::vector<ScreenArea> RandrMonitors(Display* display, Window root) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      XRRQueryVersion(display, &major, &minor) == 0 ||
      (major == kMonitorsMajor ? minor < kMonitorsMinor : major < kMonitorsMajor)) {
    return {};
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
  std::vector<ScreenArea> heads;
  for (int i = 0; monitors != nullptr && i < count; ++i) {
    heads.push_back({monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height});
  }
  if (monitors != nullptr) {
    XRRFreeMonitors(monitors);
  }
  return heads;
}

std::vector<ScreenArea> XineramaScreens(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
    return {};
  }
  int count = 0;
  XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
  std::vector<ScreenArea> heads;
  for (int i = 0; screens != nullptr && i < count; ++i) {
    heads.push_back({screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
  }
  if (screens != nullptr) {
    XFree(screens);
  }
  return heads;
}

// The window's area on its root window. False when the window cannot be found.
bool AreaOnRoot(const SaverWindow& window, Window& root, ScreenArea& area) {
  XWindowAttributes attributes{};
  int x = 0;
  int y = 0;
  Window child = 0;
  if (XGetWindowAttributes(window.display, window.drawable, &attributes) == 0 ||
      !XTranslateCoordinates(window.display, window.drawable, attributes.root, 0, 0, &x, &y,
                             &child)) {
    return false;
  }
  root = attributes.root;
  area = {x, y, attributes.width, attributes.height};
  return true;
}

}  // namespace

WindowHead FindWindowHead(const SaverWindow& window) {
  WindowHead head;
  Window root = 0;
  ScreenArea area;
  if (!AreaOnRoot(window, root, area)) {
    return head;
  }
  std::vector<ScreenArea> heads = RandrMonitors(window.display, root);
  std::vector<ScreenArea> screens = XineramaScreens(window.display);
  if (screens.size() > heads.size()) {
    heads = std::move(screens);
  }
  head.count = static_cast<int>(heads.size());
  if (!heads.empty()) {
    head.place = HeadPlace(heads, area);
    head.area = heads[static_cast<size_t>(head.place)];
  }
  return head;
}
