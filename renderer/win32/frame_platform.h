#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "renderer/win32/renderer_window.h"
#include "scene/frame_loop.h"

// What the scenes of every thread share: the one end of the whole saver (Escape on any of them,
// or a request to close one, ends them all), and whether the desk is showing (displays on,
// session there, machine awake), which the primary's window learns and the others follow.
class SharedDesk {
 public:
  // `primaryThread` runs the primary monitor's loop, which ends the others once it has ended.
  explicit SharedDesk(DWORD primaryThread) : primaryThread_(primaryThread) {}
  // Wakes the primary's thread from any wait, so that it sees the request at once.
  void Request() {
    if (!requested_.exchange(true)) PostThreadMessageA(primaryThread_, WM_NULL, 0, 0);
  }
  bool Requested() const { return requested_; }
  DWORD primaryThread() const { return primaryThread_; }

  // The scenes that wait while the desk is away are woken by whoever sets it showing again.
  void SetShowing(bool showing) { showing_ = showing; }
  bool Showing() const { return showing_; }

 private:
  std::atomic<bool> requested_{false};
  std::atomic<bool> showing_{true};
  DWORD primaryThread_;
};

// How one scene's platform differs from another's.
struct FramePlatformOptions {
  // The name its reports go under: "mirebora" for the primary monitor's scene, "mirebora
  // monitor N" for the scene of place N on another monitor.
  std::string reportName = "mirebora";
  // Set from another thread when this scene alone is to end (its monitor is gone); null for the
  // primary's.
  const std::atomic<bool>* retired = nullptr;
  // Called on the loop's thread when the displays have changed, once the refresh rate has been
  // read again.
  std::function<void()> onDisplayChange;
  // Called on the loop's thread when the window has learnt of a change of the desk.
  std::function<void()> onDeskChange;
};

// The frame loop's platform on Windows: a scene window's messages, waits for a message or a
// time, SwapBuffers, the performance counter and the process's CPU time, and OutputDebugStringA
// for what the loop reports. While the loop paces frames the timer's precision is raised to a
// millisecond, so that waits end on time; it is given back whenever the loop stands still. The
// window is seen while it is not minimised and the desk is showing.
class WindowsFramePlatform final : public FramePlatform {
 public:
  WindowsFramePlatform(SceneWindow& scene, SharedDesk& desk, FramePlatformOptions options = {});
  ~WindowsFramePlatform() override;
  WindowsFramePlatform(const WindowsFramePlatform&) = delete;
  WindowsFramePlatform& operator=(const WindowsFramePlatform&) = delete;

  // Dispatches every waiting message and follows a display change; false once WM_QUIT has come,
  // the saver is to end, or this scene is retired.
  bool PumpInput(const LoopProgress& sofar) override;
  bool Visible() const override { return scene_.windowActive && desk_.Showing(); }
  bool TakeNewSize(int& width, int& height) override;
  void WaitForInput(int64_t ticks) override;
  void ShowFrame(int64_t drawingSince) override;
  int RefreshHz() override { return refreshHz_; }
  bool SwapsMayWaitForDisplay() override { return scene_.swapInterval; }
  PaceClock& WallClock() override { return wallClock_; }
  PaceClock* ProcessCpuClock() override { return &processCpu_; }
  void Report(const char* line) override;
  void PacingChanged(bool pacing) override;

  // The code WM_QUIT carried, 0 when the loop ended otherwise.
  int exitCode() const { return exitCode_; }

 private:
  // The CPU time of the whole process, every thread of the OpenGL driver included, in
  // FILETIME's 100 ns units (Windows advances it by scheduler ticks; the budget measures over a
  // second).
  class ProcessCpuTime final : public PaceClock {
   public:
    int64_t Now() override;
    int64_t TicksPerSecond() const override { return kFileTimeTicksPerSecond; }

   private:
    static constexpr int64_t kFileTimeTicksPerSecond = 10'000'000;
  };

  SceneWindow& scene_;
  SharedDesk& desk_;
  FramePlatformOptions options_;
  SteadyPaceClock wallClock_;
  ProcessCpuTime processCpu_;
  int refreshHz_;
  bool finerTimer_ = false;
  int exitCode_ = 0;
};
