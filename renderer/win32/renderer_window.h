#pragma once

#include <windows.h>

#include <vector>

#include "renderer/win32/scene_display.h"

class Scene;

// Everything the renderer's window owns, filled by OpenRendererWindow and released in the
// mirrored order by CloseRendererWindow.
struct RendererWindow {
  bool windowActive = true;   // false while minimised: no frames are drawn
  bool fullScreen = false;    // full screen: the cursor is hidden and the display prepared
  bool cursorHidden = false;  // hidden at the start and not yet shown again
  SceneDisplay display;       // the scene's place, and whether the display mode was changed
  // Set by a press of Escape and kept: the loop ends at its next pass.
  bool escapePressed = false;
  // The client area's size from the latest WM_SIZE, and whether the frame loop has yet to
  // follow it.
  int clientWidth = 0;
  int clientHeight = 0;
  bool sizeChanged = false;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
  std::vector<HWND> covers;  // black windows over the monitors the scene does not fill
  Scene* scene = nullptr;
};

inline constexpr int kRendererWidth = 1024;
inline constexpr int kRendererHeight = 768;
inline constexpr int kRendererColourBits = 32;

// Full screen: switches the display to width x height x bits when it offers that mode, else
// keeps its mode and fills the primary monitor as it is; covers the other monitors. Creates the
// window and its OpenGL context and initialises the scene. On false everything created has been
// released again.
bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height,
                        int bits, bool fullScreen);

// Restores the display mode it changed and the cursor, removes the covers and releases context,
// device context, window and class. Safe with any subset of them held, and to call again.
void CloseRendererWindow(RendererWindow& renderer);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
