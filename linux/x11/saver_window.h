#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <string>

#include "linux/saver_options.h"

// Everything the program's window owns, filled by OpenSaverWindow and released in the mirrored
// order by CloseSaverWindow. The window drawn into is the program's own, the root window, the
// window it was given, or a child made inside the given one when that one's visual cannot
// draw with OpenGL.
struct SaverWindow {
  Display* display = nullptr;
  XErrorHandler previousErrorHandler = nullptr;  // Xlib's, given back at the end
  Window drawable = 0;                           // the window the scene is drawn into
  Window watched = 0;  // the window whose size the scene follows and whose end ends the program
  Window created = 0;  // the window made here, destroyed at the end; 0 when none
  Colormap colormap = 0;
  XVisualInfo* visual = nullptr;
  GLXContext context = nullptr;
  Atom deleteWindow = 0;   // the window manager's close request
  bool ownWindow = false;  // keys and the close request end the program
  int width = 0;
  int height = 0;
  bool viewable = false;     // false while the window is unmapped: nothing is drawn
  bool sizeChanged = false;  // set by a resize until the caller has followed it
  bool gone = false;         // the window was destroyed, or the user closed it
};

// Connects to the display, finds or makes the window, and makes an OpenGL context current on
// it. On false `problem` says why, and everything made has been released again.
bool OpenSaverWindow(SaverWindow& window, const SaverOptions& options, std::string& problem);

// Releases the context, the window and colormap made here, and the display connection. Safe
// with any subset of them held, and after the window was destroyed by someone else.
void CloseSaverWindow(SaverWindow& window);

// Handles every event that is waiting: resizes, mapping, destruction, the close request and,
// in the own window, the keys that end a hack (Escape, q).
void HandleSaverEvents(SaverWindow& window);

// The display's refresh rate in frames a second, or 0 when the display reports none.
int DisplayRefreshHz(const SaverWindow& window);
