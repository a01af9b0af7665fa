#pragma once

#include <windows.h>

#include <vector>

#include "renderer/display_layout.h"

struct RendererWindow;

// Where the full-screen scene goes: the display switched to the design mode when it offers it,
// else the primary monitor as it is. `modeChanged` says whether there is a mode to restore.
struct SceneDisplay {
  ScreenRect rect;
  bool modeChanged = false;
};

SceneDisplay PrepareSceneDisplay(const DisplayMode& design);

// Puts back the display mode stored in the registry, when PrepareSceneDisplay changed it.
void RestoreSceneDisplay(SceneDisplay& display);

// Covers every monitor the scene does not fill with a borderless, topmost black window without a
// pointer, read from the monitor layout as it is once the mode has been set. Escape pressed on a
// cover ends the saver as on the scene's window, and a request to close one closes the saver.
// The covers are not activated: the scene's window keeps the keyboard.
void CoverOtherMonitors(RendererWindow& renderer, const ScreenRect& scene);
void RemoveMonitorCovers(RendererWindow& renderer);
