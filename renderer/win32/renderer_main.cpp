// ミレボラ.dll: the full-screen scene renderer. The host starts it with no arguments; it draws
// frames back to back until Escape is pressed or its window is closed.
#include <windows.h>

#include "renderer/scene.h"
#include "renderer/win32/dib_file.h"
#include "renderer/win32/renderer_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DibFileLoader loader;
  Scene scene(loader);
  RendererWindow renderer;
  renderer.scene = &scene;

  if (!OpenRendererWindow(renderer, kRendererWindowTitle, kRendererWidth, kRendererHeight,
                          kRendererColourBits, true)) {
    return 0;
  }

  // Waiting messages always go first; a frame is drawn only when none is waiting. While the
  // window is minimised the loop keeps swapping without drawing, so the scene stands still.
  // The exit code is the one WM_QUIT carries, and 0 when Escape ends the loop.
  MSG message{};
  int exitCode = 0;
  bool done = false;
  while (!done) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        exitCode = static_cast<int>(message.wParam);
        done = true;
      } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    } else if ((renderer.windowActive && !scene.RenderFrame()) || renderer.keyDown[VK_ESCAPE] ||
               renderer.escapePressed) {
      done = true;
    } else {
      SwapBuffers(renderer.deviceContext);
    }
  }

  CloseRendererWindow(renderer);
  return exitCode;
}
