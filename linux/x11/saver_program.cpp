// X's headers define macros (Below, None, Success ...) that clash with names in the core: the
// core's headers come first.
#include "scene/frame_loop.h"
#include "scene/opengl.h"
#include "scene/projection.h"
#include "scene/scene.h"
#include "scene/scene_seed.h"

#include <cstdio>
#include <optional>
#include <string>

#include "linux/scene_pictures.h"
#include "linux/x11/desktop_grab.h"
#include "linux/x11/frame_platform.h"
#include "linux/x11/saver_program.h"
#include "linux/x11/saver_window.h"
#include "linux/x11/window_head.h"

namespace {
constexpr int kStartFailed = 1;
}  // namespace

int RunSaver(const SaverOptions& options, LoopClock& clock, StopRequest& stop) {
  SaverWindow window;
  std::string problem;
  if (!OpenSaverWindow(window, options, problem)) {
    std::fprintf(stderr, "mirebora: %s\n", problem.c_str());
    return kStartFailed;
  }
  // Each head shows meteors of its own: the scene's seed is the head's. One line says which head
  // when there are several, for whoever reads the saver's messages.
  const WindowHead head = FindWindowHead(window);
  if (head.count > 1) {
    std::fprintf(stderr, "mirebora: head %d of %d, %dx%d%+d%+d\n", head.place + 1, head.count,
                 head.area.width, head.area.height, head.area.x, head.area.y);
  }
  std::optional<RgbImage> desktop;
  if (options.grabDesktop) {
    desktop = GrabDesktop(window);
  }
  ScenePictures pictures(std::move(desktop));
  int exitCode = 0;
  {
    Scene scene(pictures, SceneSeedForPlace(head.place));
    SetProjection(window.width, window.height);
    if (scene.InitScene()) {
      X11FramePlatform platform(window, clock, stop, scene, options.showFps);
      RunFrameLoop(platform, scene, {GlRendererName(), options.showFps || options.reportPace});
    } else {
      std::fprintf(stderr, "mirebora: the scene's pictures could not be loaded\n");
      exitCode = kStartFailed;
    }
  }  // the scene's GL objects go while the context is still current
  CloseSaverWindow(window);
  return exitCode;
}
