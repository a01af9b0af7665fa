#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where the program draws.
enum class DrawTarget {
  OwnWindow,    // a window of its own, placed by -geometry
  RootWindow,   // the screen's root window
  GivenWindow,  // a window another program made, by its id (XScreenSaver's saver window)
};

// The own window's size and place, as an X geometry gives them: "WxH", "+X+Y" or "WxH+X+Y",
// where "-X" and "-Y" count from the right and bottom edges. Each pair is given whole or not at
// all.
struct WindowGeometry {
  std::optional<int> width;
  std::optional<int> height;
  std::optional<int> x;
  std::optional<int> y;
  bool xFromRight = false;
  bool yFromBottom = false;
};

// What the command line asked for. Options are taken with one dash or two, as XScreenSaver's
// hacks take them; a later drawing target overrides an earlier one.
struct SaverOptions {
  DrawTarget target = DrawTarget::OwnWindow;
  uint64_t windowId = 0;    // GivenWindow only
  WindowGeometry geometry;  // of the own window; nothing given: the default size at the corner
  std::string display;      // X display name; "" for $DISPLAY
  bool showFps = false;     // the frame-rate overlay, and the pace line on the standard error
  bool reportPace = false;  // the pace line on the standard error alone
  bool grabDesktop = true;
};

struct SaverCommand {
  std::optional<SaverOptions> options;  // none: print `message` and end
  std::string message;                  // the usage text, or what was wrong and the usage
  int exitCode = 0;                     // when there are no options: 0 for -help, else 1
};

// The usage text, naming the program as it was called.
std::string SaverUsage(const std::string& program);

// Reads the arguments after the program name. `saverWindow` is XScreenSaver's
// XSCREENSAVER_WINDOW variable (nullptr when unset): the daemon's window to draw into, taken
// when no target is named and by -root, which draws into the saver's window when there is one.
SaverCommand ParseSaverCommand(const std::string& program, const std::vector<std::string>& args,
                               const char* saverWindow);

// An X geometry as -geometry takes it, with an optional leading "=". None for anything else:
// a size or offset beyond what X can place (32767), a size of 0, half a pair, blanks, signs
// inside numbers, or trailing text.
std::optional<WindowGeometry> ParseWindowGeometry(const std::string& text);

// A window id as XScreenSaver writes them: hexadecimal with 0x, or decimal. None for anything
// else, 0 included (no window has that id).
std::optional<uint64_t> ParseWindowId(const std::string& text);
