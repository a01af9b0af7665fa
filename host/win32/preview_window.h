#pragma once

#include <windows.h>

// The preview window "Preview Window": a borderless black child of the screen-saver preview area
// in the Display Properties dialog, showing a still picture of the running scene at its own size
// in the top-left corner. The host lives as long as this window does.

// Creates the window, makes it a child of `parent` at (0, 0) with the parent's size, and shows
// it. False when `parent` names no window: there is nothing to show the preview in.
bool ShowPreviewWindow(HINSTANCE instance, HWND parent);
