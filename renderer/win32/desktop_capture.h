#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "renderer/display_layout.h"
#include "scene/rgb_image.h"

// The desktops of the monitors other than the primary, by device, copied from the screen before
// the saver puts anything over them. They live in memory only, for as long as the renderer runs:
// no other monitor's desktop is ever written to a file. A monitor whose copy failed is missing.
using MonitorDesktops = std::map<std::string, RgbImage>;

// Copies the desktop of every monitor in `monitors` that is not the primary.
MonitorDesktops CaptureOtherMonitorDesktops(const std::vector<MonitorInfo>& monitors);

// The screen's pixels inside `rect` of the virtual screen; none when they cannot be read.
std::optional<RgbImage> CaptureScreenRect(const ScreenRect& rect);
