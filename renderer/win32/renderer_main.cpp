// ミレボラ.dll: the full-screen scene renderer. The host starts it with no arguments; it draws
// the scene, paced in wall time, until Escape is pressed or its window is closed.
#include <windows.h>

#include "contract/saver_contract.h"
#include "renderer/win32/dib_file.h"
#include "renderer/win32/frame_platform.h"
#include "renderer/win32/renderer_window.h"
#include "scene/frame_loop.h"
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

  int exitCode = 0;
  {
    WindowsFramePlatform platform(renderer);
    RunFrameLoop(platform, scene, {GlRendererName(), true});
    exitCode = platform.exitCode();
  }
  CloseRendererWindow(renderer);
  return exitCode;
}
