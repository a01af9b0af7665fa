#pragma once

#include <vector>

#include "linux/saver_options.h"

// Where the program's own window goes on a screen of the given size.
struct WindowPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool positionGiven = false;  // the user chose the place: the window manager should keep it
  bool sizeGiven = false;
};

// The default size of the own window: the scene's own size, as the Windows renderer draws it.
inline constexpr int kDefaultWindowWidth = 1024;
inline constexpr int kDefaultWindowHeight = 768;

// Places the window as the geometry asks, offsets from the right and bottom edges counted on a
// screen of the given size. Without a size it has the default size, and without a place it is at
// the top-left corner.
WindowPlacement PlaceOwnWindow(const WindowGeometry& geometry, int screenWidth, int screenHeight);

// A rectangle on the root window, in pixels: a head (one monitor's part of the screen) or a
// window.
struct ScreenArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The place, in the display's list of heads, of the head a window at `window` shows on: the head
// that holds the largest part of it, the first listed of equals (mirrored monitors). XScreenSaver
// gives each head a window of its own at that head's place, which is then the head's own. A
// window that covers every head, the root window among them, is the first head's; so is one that
// no head shows, and every window when there are no heads.
int HeadPlace(const std::vector<ScreenArea>& heads, const ScreenArea& window);
