#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "renderer/display_layout.h"
#include "renderer/monitor_pictures.h"
#include "renderer/win32/desktop_capture.h"
#include "renderer/win32/frame_platform.h"

// A scene on a monitor other than the primary, on a thread of its own: a borderless, topmost
// window over the monitor with its own OpenGL context, its own simulation started from the seed
// of its place, and its own frame loop, so that it draws at its own monitor's refresh rate. The
// window is black until the first frame, and stays black if the scene cannot be drawn there. A
// click does not activate it, the pointer is hidden over it, and Escape on it or a request to
// close it ends the whole saver.
class MonitorScene {
 public:
  // Starts the thread and returns once its window is on the screen (or could not be made).
  MonitorScene(HINSTANCE instance, const MonitorScenePlace& place, const RememberedPictures& shared,
               std::optional<RgbImage> desktop, SharedDesk& desk);
  // Ends the scene and waits for its thread: the window is gone when this returns.
  ~MonitorScene();
  MonitorScene(const MonitorScene&) = delete;
  MonitorScene& operator=(const MonitorScene&) = delete;

  const MonitorScenePlace& place() const { return place_; }
  // The monitor moved or changed its size: so does the window, and the scene follows its size.
  void MoveTo(const ScreenRect& rect);
  // Cuts the scene's wait short, so that it sees a change of the shared desk at once.
  void Wake() const;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();

  HINSTANCE instance_;
  MonitorScenePlace place_;
  MonitorPictures pictures_;
  SharedDesk& desk_;
  std::atomic<bool> retired_{false};
  HWND window_ = nullptr;  // written by the thread before `windowReady_` is set
  HANDLE windowReady_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
};

// The scenes of every monitor other than the primary, laid out as the displays are now.
class MonitorScenes {
 public:
  // `desktops` are the other monitors' desktops as captured at the start; a monitor without one
  // shows the built-in desktop.
  MonitorScenes(HINSTANCE instance, const RememberedPictures& shared, MonitorDesktops desktops,
                SharedDesk& desk);
  // Ends every scene.
  ~MonitorScenes();
  MonitorScenes(const MonitorScenes&) = delete;
  MonitorScenes& operator=(const MonitorScenes&) = delete;

  // Gives each of `monitors` that the primary's scene (at `primaryScene`) does not hold a scene:
  // scenes whose monitor is gone end, those whose monitor moved follow it, new monitors get new
  // scenes.
  void Follow(const std::vector<MonitorInfo>& monitors, const ScreenRect& primaryScene);
  // Wakes every scene, as the desk shows again.
  void WakeAll() const;

 private:
  HINSTANCE instance_;
  const RememberedPictures& shared_;
  MonitorDesktops desktops_;
  SharedDesk& desk_;
  bool classRegistered_ = false;
  std::vector<std::unique_ptr<MonitorScene>> scenes_;
};
