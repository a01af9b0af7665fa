// ミレボラ.dll: the full-screen scene renderer. The host starts it with no arguments, or with the
// folder of its capture files when they are not in "c:\k_vusa"; it draws the scene on the primary
// monitor and a scene of their own on every other monitor, paced in wall time, until Escape is
// pressed or a window of it is closed.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "contract/saver_contract.h"
#include "renderer/monitor_pictures.h"
#include "renderer/renderer_arguments.h"
#include "renderer/win32/desktop_capture.h"
#include "renderer/win32/dib_file.h"
#include "renderer/win32/frame_platform.h"
#include "renderer/win32/monitor_scenes.h"
#include "renderer/win32/renderer_window.h"
#include "scene/frame_loop.h"
#include "scene/scene.h"

namespace {

// The arguments after the program's name, split as the system splits a command line; none when
// the split fails.
std::optional<RendererArguments> ReadArguments() {
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
  if (split == nullptr) return std::nullopt;
  const std::vector<std::wstring> arguments(split + (count > 0 ? 1 : 0), split + count);
  LocalFree(split);
  return ParseRendererArguments(arguments);
}

// The displays changed: the primary's window takes the primary monitor as it is now, and every
// other monitor gets its scene.
void FollowDisplays(RendererWindow& renderer, MonitorScenes& others) {
  const std::vector<MonitorInfo> monitors = ListMonitors();
  const ScreenRect primary = PrimaryMonitorRect(monitors);
  if (primary.width() > 0 && primary.height() > 0 && !(primary == renderer.display.rect)) {
    renderer.display.rect = primary;
    SetWindowPos(renderer.window, nullptr, primary.left, primary.top, primary.width(),
                 primary.height(), SWP_NOACTIVATE | SWP_NOZORDER);
  }
  others.Follow(monitors, renderer.display.rect);
}

// The desk changed: while the session is away the display mode goes back, and it is taken again
// on the session's return and after a sleep (which may have reset it); every scene then draws or
// stands still as the desk is showing or not.
void FollowDesk(RendererWindow& renderer, SharedDesk& shared, MonitorScenes& others,
                bool& wasAsleep) {
  const DeskState& desk = renderer.desk;
  const DisplayMode design{kRendererWidth, kRendererHeight, kRendererColourBits};
  if (desk.SessionAway()) {
    RestoreSceneDisplay(renderer.display);
  } else if (renderer.display.modeWanted &&
             (!renderer.display.modeChanged || (wasAsleep && !desk.asleep()))) {
    renderer.display.modeChanged = ChangeToDesignMode(design);
  }
  wasAsleep = desk.asleep();
  const bool wasShowing = shared.Showing();
  shared.SetShowing(desk.Showing());
  if (!wasShowing && desk.Showing()) others.WakeAll();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A command line it does not understand ends it before it shows or changes anything.
  std::optional<RendererArguments> arguments = ReadArguments();
  if (!arguments) return 0;

  // The other monitors' desktops are copied first, before any window of the saver covers them
  // and before the primary's display mode changes.
  MonitorDesktops desktops = CaptureOtherMonitorDesktops(ListMonitors());

  DibFileLoader files(std::move(arguments->captureFolder));
  RememberedPictures pictures(files);
  Scene scene(pictures);
  RendererWindow renderer;
  renderer.scene = &scene;
  if (!OpenRendererWindow(renderer, kRendererWindowTitle, kRendererWidth, kRendererHeight,
                          kRendererColourBits, true)) {
    return 0;
  }

  int exitCode = 0;
  {
    SharedDesk desk(GetCurrentThreadId());
    // Laid out once the primary's mode is set, which may have moved the other monitors.
    MonitorScenes others(renderer.instance, pictures, std::move(desktops), desk);
    others.Follow(ListMonitors(), renderer.display.rect);
    FramePlatformOptions options;
    options.onDisplayChange = [&] { FollowDisplays(renderer, others); };
    bool wasAsleep = false;
    options.onDeskChange = [&] { FollowDesk(renderer, desk, others, wasAsleep); };
    WindowsFramePlatform platform(renderer, desk, options);
    RunFrameLoop(platform, scene, {GlRendererName(), true});
    exitCode = platform.exitCode();
    // `others` ends every other monitor's scene here, before the display mode is restored.
  }
  CloseRendererWindow(renderer);
  return exitCode;
}
