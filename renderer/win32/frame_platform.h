#pragma once

#include <windows.h>

#include "renderer/win32/renderer_window.h"
#include "scene/frame_loop.h"

// The frame loop's platform on Windows: the renderer window's messages, waits for a message or
// a time, SwapBuffers, the performance counter and the process's CPU time, and
// OutputDebugStringA for what the loop reports. The timer's precision is raised to a
// millisecond for as long as the platform lives, so that waits end on time.
class WindowsFramePlatform final : public FramePlatform {
 public:
  explicit WindowsFramePlatform(RendererWindow& renderer);
  ~WindowsFramePlatform() override;
  WindowsFramePlatform(const WindowsFramePlatform&) = delete;
  WindowsFramePlatform& operator=(const WindowsFramePlatform&) = delete;

  // Dispatches every waiting message; false once WM_QUIT has come or Escape was pressed.
  bool PumpInput(const LoopProgress& sofar) override;
  bool Visible() const override { return renderer_.windowActive; }
  bool TakeNewSize(int& width, int& height) override;
  void WaitForInput(int64_t ticks) override;
  void ShowFrame(int64_t drawingSince) override;
  int RefreshHz() override { return refreshHz_; }
  PaceClock& WallClock() override { return wallClock_; }
  PaceClock* ProcessCpuClock() override { return &processCpu_; }
  void Report(const char* line) override { OutputDebugStringA(line); }

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

  RendererWindow& renderer_;
  SteadyPaceClock wallClock_;
  ProcessCpuTime processCpu_;
  int refreshHz_;
  int exitCode_ = 0;
};
