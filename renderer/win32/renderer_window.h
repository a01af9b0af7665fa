#pragma once

#include <windows.h>

#include <memory>

#include "desk/desk_state.h"
#include "desk/win32/desk_notifications.h"
#include "renderer/win32/scene_display.h"

class Scene;

// What every scene window holds, the primary monitor's and each other monitor's alike: the state
// its window procedure records for the frame loop, the window, and its OpenGL context.
struct SceneWindow {
  bool windowActive = true;  // false while minimised: no frames are drawn
  // Set by a press of Escape (on another monitor's window also by a request to close it) and
  // kept: the saver ends at the loop's next pass.
  bool endRequested = false;
  // The client area's size from the latest WM_SIZE, and whether the frame loop has yet to
  // follow it.
  int clientWidth = 0;
  int clientHeight = 0;
  bool sizeChanged = false;
  // Set by WM_DISPLAYCHANGE: a monitor was added, removed or changed its mode.
  bool displayChanged = false;
  // Set when the window learnt of a change of the desk (displays, session, sleep).
  bool deskChanged = false;
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
  // The driver took the request to wait for the display's refresh on each swap.
  bool swapInterval = false;
};

// The primary monitor's window, filled by OpenRendererWindow and released in the mirrored order
// by CloseRendererWindow.
struct RendererWindow : SceneWindow {
  bool fullScreen = false;    // full screen: the cursor is hidden and the display prepared
  bool cursorHidden = false;  // hidden at the start and not yet shown again
  SceneDisplay display;       // the scene's place, and whether the display mode was changed
  // The displays, the session and sleep as this window has learnt of them, and its registration
  // for their notifications (the other monitors' windows follow the primary's).
  DeskState desk;
  std::unique_ptr<DeskNotifications> deskNotifications;
  HINSTANCE instance = nullptr;
  Scene* scene = nullptr;
};

inline constexpr int kRendererWidth = 1024;
inline constexpr int kRendererHeight = 768;
inline constexpr int kRendererColourBits = 32;

// Full screen: switches the display to width x height x bits when it offers that mode, else
// keeps its mode and fills the primary monitor as it is. Creates the window and its OpenGL
// context and initialises the scene. On false everything created has been released again.
bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height,
                        int bits, bool fullScreen);

// Restores the display mode it changed and the cursor, and releases context, device context,
// window and class. Safe with any subset of them held, and to call again.
void CloseRendererWindow(RendererWindow& renderer);

// Gives the window a pixel format of `bits` colour bits with a depth buffer and double
// buffering, and makes an OpenGL context for it current on the calling thread. Asks drivers that
// offer it to wait for the display's refresh on each swap.
bool CreateRenderingContext(SceneWindow& scene, int bits);
// Releases the context and the device context; the window stays.
void ReleaseRenderingContext(SceneWindow& scene);

// The messages every scene window answers alike: system commands that would start a screen
// saver or power the monitor down are refused, Escape asks the saver to end, a new size or a
// display change is recorded for the loop. True when `message` was one of them, with `result`.
bool AnswerSceneWindowMessage(SceneWindow& scene, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam, LRESULT& result);

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
