// ミレボラ.dll: the full-screen scene renderer. The host starts it with no arguments; it draws
// the scene, paced in wall time, until Escape is pressed or its window is closed.
#include <windows.h>

#include "contract/saver_contract.h"
#include "renderer/win32/dib_file.h"
#include "renderer/win32/frame_loop.h"
#include "renderer/win32/renderer_window.h"
#include "scene/scene.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DibFileLoader loader;
  Scene scene(loader);
  RendererWindow renderer;
  renderer.scene = &scene;

  if (!OpenRendererWindow(renderer, kRendererWindowTitle, kRendererWidth, kRendererHeight,
                          kRendererColourBits, true)) {
    return 0;
  }

  const int exitCode = RunFrameLoop(renderer, scene);
  CloseRendererWindow(renderer);
  return exitCode;
}
