#pragma once

#include "linux/x11/saver_window.h"
#include "linux/x11/window_geometry.h"

// The head (monitor) that shows the window, found once when the program starts.
struct WindowHead {
  int place = 0;      // its place in the display's list of heads, 0 for the first (HeadPlace)
  int count = 0;      // how many heads the display lists; 0 when it lists none
  ScreenArea area{};  // the head's area on the root window; all 0 when there are no heads
};

// The display's heads as XScreenSaver takes them: RandR's list of monitors or Xinerama's list of
// screens, whichever lists more (a nested server with Xinerama, for one, has a single RandR
// monitor), in the order the server lists them; and the head among them that holds the window.
WindowHead FindWindowHead(const SaverWindow& window);
