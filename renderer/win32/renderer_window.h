#pragma once

#include <windows.h>

#include <array>

class Scene;

// Everything the renderer's window owns, filled by OpenRendererWindow and released in the
// mirrored order by CloseRendererWindow.
struct RendererWindow {
  bool windowActive = true;   // false while minimised: no frames are drawn
  bool fullScreen = false;    // the display mode was changed and must be restored
  std::array<bool, 256> keyDown{};  // by virtual-key code
  // Set by a press of Escape and kept: a quick tap whose release is already queued when the
  // press is handled would otherwise be gone before the loop looks at the keys.
  bool escapePressed = false;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
  Scene* scene = nullptr;
};

inline constexpr char kRendererWindowTitle[] = "Valdorique_VC";
inline constexpr int kRendererWidth = 1024;
inline constexpr int kRendererHeight = 768;
inline constexpr int kRendererColourBits = 32;

// Changes the display mode, creates the window and its OpenGL context and initialises the
// scene. On false everything created has been released again (a registered class stays when the
// display mode change itself failed).
bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height,
                        int bits, bool fullScreen);

// Restores the display mode and the cursor and releases context, device context, window and
// class. Safe with any subset of them held.
void CloseRendererWindow(RendererWindow& renderer);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
