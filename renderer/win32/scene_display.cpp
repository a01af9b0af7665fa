#include "renderer/win32/scene_display.h"

#include <cstddef>

#include "contract/saver_contract.h"

namespace {

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

BOOL CALLBACK CollectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors) {
  MONITORINFOEXA info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(handle, &info)) {
    reinterpret_cast<std::vector<MonitorInfo>*>(monitors)->push_back(
        {info.szDevice, RectOf(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

}  // namespace

bool ChangeToDesignMode(const DisplayMode& design) {
  return ChooseDisplayMode(OfferedModes(), design) == ModeChoice::ChangeToDesignMode &&
         ChangeToMode(design);
}

SceneDisplay PrepareSceneDisplay(const DisplayMode& design) {
  SceneDisplay display;
  display.modeChanged = ChangeToDesignMode(design);
  display.modeWanted = display.modeChanged;
  // Changed, the primary monitor shows the design mode from its corner; kept, it is the scene's
  // as it is.
  display.rect = PrimaryMonitorRect(ListMonitors());
  if (display.rect.width() <= 0 || display.rect.height() <= 0) {
    display.rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return display;
}

void RestoreSceneDisplay(SceneDisplay& display) {
  if (!display.modeChanged) return;
  ChangeDisplaySettingsA(nullptr, 0);
  display.modeChanged = false;
}

std::vector<MonitorInfo> ListMonitors() {
  std::vector<MonitorInfo> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

int RefreshRateOfWindow(HWND window, HDC deviceContext) {
  MONITORINFOEXA info{};
  info.cbSize = sizeof(info);
  DEVMODEA mode{};
  mode.dmSize = kDevModeSize;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info) &&
      EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) &&
      mode.dmDisplayFrequency > 1) {
    return static_cast<int>(mode.dmDisplayFrequency);
  }
  return GetDeviceCaps(deviceContext, VREFRESH);
}
