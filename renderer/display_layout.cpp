#include "renderer/display_layout.h"

#include <algorithm>

ModeChoice ChooseDisplayMode(const std::vector<DisplayMode>& offered, const DisplayMode& design) {
  return std::find(offered.begin(), offered.end(), design) != offered.end()
             ? ModeChoice::ChangeToDesignMode
             : ModeChoice::KeepCurrentMode;
}

ScreenRect PrimaryMonitorRect(const std::vector<MonitorInfo>& monitors) {
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.primary) return monitor.rect;
  }
  for (const MonitorInfo& monitor : monitors) {
    if (monitor.rect.left == 0 && monitor.rect.top == 0) return monitor.rect;
  }
  return monitors.empty() ? ScreenRect{} : monitors.front().rect;
}

MonitorScenesChange PlanMonitorScenes(const std::vector<MonitorScenePlace>& running,
                                      const std::vector<MonitorInfo>& monitors,
                                      const ScreenRect& primaryScene) {
  // The monitors that are to show a scene of their own, once each.
  std::vector<const MonitorInfo*> wanted;
  for (const MonitorInfo& monitor : monitors) {
    const ScreenRect& rect = monitor.rect;
    if (rect.width() <= 0 || rect.height() <= 0 || primaryScene.Contains(rect)) continue;
    const bool listed = std::any_of(wanted.begin(), wanted.end(), [&](const MonitorInfo* other) {
      return other->rect == rect || other->device == monitor.device;
    });
    if (!listed) wanted.push_back(&monitor);
  }

  MonitorScenesChange change;
  std::vector<int> placesTaken;
  for (const MonitorScenePlace& scene : running) {
    const auto kept = std::find_if(wanted.begin(), wanted.end(), [&](const MonitorInfo* monitor) {
      return monitor->device == scene.device;
    });
    if (kept == wanted.end()) {
      change.end.push_back(scene.device);
      continue;
    }
    placesTaken.push_back(scene.place);
    if (!((*kept)->rect == scene.rect))
      change.move.push_back({scene.device, (*kept)->rect, scene.place});
  }
  int nextPlace = 1;
  for (const MonitorInfo* monitor : wanted) {
    const bool hasScene = std::any_of(
        running.begin(), running.end(),
        [&](const MonitorScenePlace& scene) { return scene.device == monitor->device; });
    if (hasScene) continue;
    while (std::find(placesTaken.begin(), placesTaken.end(), nextPlace) != placesTaken.end())
      ++nextPlace;
    change.start.push_back({monitor->device, monitor->rect, nextPlace});
    placesTaken.push_back(nextPlace);
  }
  return change;
}
