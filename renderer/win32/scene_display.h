#pragma once

#include <windows.h>

#include <vector>

#include "renderer/display_layout.h"

// Where the full-screen scene goes: the display switched to the design mode when it offers it,
// else the primary monitor as it is. `modeChanged` says whether there is a mode to restore.
struct SceneDisplay {
  ScreenRect rect;
  bool modeChanged = false;
  // The design mode was taken at the start: it is given back while the session is away, and
  // taken again on its return.
  bool modeWanted = false;
};

SceneDisplay PrepareSceneDisplay(const DisplayMode& design);

// Switches the display to `design` when it lists that mode; true when the display is in it now.
bool ChangeToDesignMode(const DisplayMode& design);

// Puts back the display mode stored in the registry, when PrepareSceneDisplay changed it.
void RestoreSceneDisplay(SceneDisplay& display);

// The monitors as the system lists them now.
std::vector<MonitorInfo> ListMonitors();

// The refresh rate of the monitor that holds most of `window`, in frames a second, as its
// current display settings give it; else what `deviceContext` reports (0 and 1 stand for the
// hardware's default, which the pacer takes as unknown).
int RefreshRateOfWindow(HWND window, HDC deviceContext);
