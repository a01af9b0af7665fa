#pragma once

#include <string>
#include <vector>

// Where the scenes go on the user's displays, decided from what the system reports, with no
// platform calls: whether the display mode is changed, and which monitors show a scene of their
// own besides the primary monitor's, then and after the displays change.

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

// A monitor as the system lists it: its device name ("\\\\.\\DISPLAY2"), its place on the virtual
// screen, and whether it is the primary monitor.
struct MonitorInfo {
  std::string device;
  ScreenRect rect;
  bool primary = false;
};

// The primary monitor's rectangle: the one marked primary, else the one at the origin, else the
// first; empty when there is no monitor at all.
ScreenRect PrimaryMonitorRect(const std::vector<MonitorInfo>& monitors);

// A scene on a monitor other than the primary: the monitor's device and rectangle, and the place
// its seed came from (1, 2, ...; the primary's scene is place 0).
struct MonitorScenePlace {
  std::string device;
  ScreenRect rect;
  int place = 0;
  bool operator==(const MonitorScenePlace& o) const {
    return device == o.device && rect == o.rect && place == o.place;
  }
};

// What changes among the other monitors' scenes when the displays do.
struct MonitorScenesChange {
  std::vector<std::string> end;          // scenes whose monitor is gone or now holds none
  std::vector<MonitorScenePlace> move;   // scenes that go on, at their monitor's new rectangle
  std::vector<MonitorScenePlace> start;  // monitors with no scene yet
};

// Plans the scenes of the monitors other than the primary's, from those `running` and the
// `monitors` the system lists now; `primaryScene` is the rectangle the primary's scene fills.
// Every monitor gets a scene of its own except those the primary's scene holds whole (the
// primary itself, a clone of it) and those with no area; monitors listed twice at one rectangle
// (clones of each other) get one. A scene is known by its monitor's device: it goes on, moved
// when its monitor moved or changed size, and keeps its place and its simulation. A new scene
// takes the lowest place no scene has, so its seed differs from every running scene's; at the
// start, with none running, the monitors take places 1, 2, ... in the order they are listed.
MonitorScenesChange PlanMonitorScenes(const std::vector<MonitorScenePlace>& running,
                                      const std::vector<MonitorInfo>& monitors,
                                      const ScreenRect& primaryScene);
