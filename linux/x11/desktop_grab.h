#pragma once

#include <optional>

#include "linux/x11/saver_window.h"
#include "scene/rgb_image.h"

// The desktop as it was when the saver started, got the way XScreenSaver's hacks get it: its
// helper xscreensaver-getimage paints it onto a pixmap of the window's size. Under the daemon
// that is the screenshot the daemon took before it blanked the screen; standalone, the helper
// takes one itself. The user's XScreenSaver settings decide whether desktops may be grabbed at
// all, and the helper is asked for nothing else (no image files, no video): none when it is not
// installed, does not say it painted the desktop, fails, takes too long, or a stop signal comes.
std::optional<RgbImage> GrabDesktop(const SaverWindow& window);
