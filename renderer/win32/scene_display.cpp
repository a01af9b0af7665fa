#include "renderer/win32/scene_display.h"

#include <cstddef>

#include "contract/saver_contract.h"
#include "renderer/win32/renderer_window.h"

namespace {

constexpr char kCoverClassName[] = "OpenGLCover";

// A DEVMODEA without the two trailing panning fields: the size older systems know, which every
// system accepts.
constexpr WORD kDevModeSize = offsetof(DEVMODEA, dmPanningWidth);

std::vector<DisplayMode> OfferedModes() {
  std::vector<DisplayMode> modes;
  DEVMODEA mode{};
  mode.dmSize = kDevModeSize;
  for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
    modes.push_back({static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                     static_cast<int>(mode.dmBitsPerPel)});
  }
  return modes;
}

bool ChangeToMode(const DisplayMode& design) {
  DEVMODEA mode{};
  mode.dmSize = kDevModeSize;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  mode.dmPelsWidth = design.width;
  mode.dmPelsHeight = design.height;
  mode.dmBitsPerPel = design.bits;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

ScreenRect RectOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

ScreenRect PrimaryMonitorRect() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
    return RectOf(info.rcMonitor);
  }
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
  reinterpret_cast<std::vector<ScreenRect>*>(monitors)->push_back(RectOf(*rect));
  return TRUE;
}

RendererWindow* RendererOfCover(HWND cover) {
  return reinterpret_cast<RendererWindow*>(GetWindowLongPtrA(cover, GWLP_USERDATA));
}

LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  RendererWindow* renderer = RendererOfCover(window);
  switch (message) {
    case WM_KEYDOWN:
      if (renderer != nullptr && wParam == VK_ESCAPE) renderer->escapePressed = true;
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

SceneDisplay PrepareSceneDisplay(const DisplayMode& design) {
  SceneDisplay display;
  if (ChooseDisplayMode(OfferedModes(), design) == ModeChoice::ChangeToDesignMode &&
      ChangeToMode(design)) {
    display.modeChanged = true;
  }
  // Changed, the primary monitor shows the design mode from its corner; kept, it is the scene's
  // as it is.
  display.rect = PrimaryMonitorRect();
  return display;
}

void RestoreSceneDisplay(SceneDisplay& display) {
  if (!display.modeChanged) return;
  ChangeDisplaySettingsA(nullptr, 0);
  display.modeChanged = false;
}

void CoverOtherMonitors(RendererWindow& renderer, const ScreenRect& scene) {
  std::vector<ScreenRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  const std::vector<ScreenRect> covers = CoverRects(monitors, scene);
  if (covers.empty()) return;

  WNDCLASSA coverClass{};
  coverClass.lpfnWndProc = CoverWindowProc;
  coverClass.hInstance = renderer.instance;
  coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  coverClass.lpszClassName = kCoverClassName;
  if (RegisterClassA(&coverClass) == 0) return;
  for (const ScreenRect& rect : covers) {
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClassName,
                                 kCoverWindowTitle, WS_POPUP, rect.left, rect.top, rect.width(),
                                 rect.height(), nullptr, nullptr, renderer.instance, &renderer);
    if (cover == nullptr) continue;
    renderer.covers.push_back(cover);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
  }
}

void RemoveMonitorCovers(RendererWindow& renderer) {
  for (HWND cover : renderer.covers) DestroyWindow(cover);
  if (!renderer.covers.empty()) UnregisterClassA(kCoverClassName, renderer.instance);
  renderer.covers.clear();
}
