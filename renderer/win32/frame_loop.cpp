#include "renderer/win32/frame_loop.h"

#include <mmsystem.h>

#include <cstdint>

#include "scene/frame_budget.h"
#include "scene/frame_pacer.h"
#include "scene/opengl.h"
#include "scene/scene.h"

namespace {

// Waits for the next frame end within a millisecond, not within the system's default tick.
constexpr UINT kTimerResolutionMs = 1;
constexpr int64_t kMillisecondsPerSecond = 1000;

// The display's refresh rate as Windows reports it; 0 and 1 stand for the hardware's default,
// which the pacer takes as unknown.
int DisplayRefreshHz(HDC deviceContext) { return GetDeviceCaps(deviceContext, VREFRESH); }

// Dispatches every waiting message; false once WM_QUIT arrives, with the code it carries.
bool DispatchWaitingMessages(int& exitCode) {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      exitCode = static_cast<int>(message.wParam);
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

// Returns when a message arrives or `ticks` of the clock have passed, whichever comes first;
// never at once, so that a loop around it cannot spin.
void WaitForMessageOrTicks(int64_t ticks, int64_t ticksPerSecond) {
  const int64_t milliseconds =
      (ticks * kMillisecondsPerSecond + ticksPerSecond - 1) / ticksPerSecond;
  const DWORD timeout = static_cast<DWORD>(milliseconds > 0 ? milliseconds : 1);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT);
}

// The CPU time of the whole process, every thread of the OpenGL driver included, in FILETIME's
// 100 ns units (Windows advances it by scheduler ticks; the budget measures over a second).
class ProcessCpuClock final : public PaceClock {
 public:
  int64_t Now() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
      return 0;
    }
    return Ticks(kernel) + Ticks(user);
  }
  int64_t TicksPerSecond() const override { return kFileTimeTicksPerSecond; }

 private:
  static constexpr int64_t kFileTimeTicksPerSecond = 10'000'000;
  static int64_t Ticks(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                                time.dwLowDateTime);
  }
};

// The OpenGL renderer's name, for instance "llvmpipe (LLVM 15.0.6, 256 bits)" or "GDI Generic".
const char* GlRendererName() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

bool EscapePressed(const RendererWindow& renderer) {
  return renderer.keyDown[VK_ESCAPE] || renderer.escapePressed;
}

}  // namespace

int RunFrameLoop(RendererWindow& renderer, Scene& scene) {
  timeBeginPeriod(kTimerResolutionMs);
  SteadyPaceClock clock;
  FramePacer pacer(clock);
  ProcessCpuClock processCpu;
  FrameBudget budget(clock, &processCpu, GlRendererName());
  if (budget.active()) {
    OutputDebugStringA(budget.announcement().c_str());
  }
  const int refreshHz = DisplayRefreshHz(renderer.deviceContext);
  PaceLine paceLine{};
  bool paused = false;
  int exitCode = 0;
  while (DispatchWaitingMessages(exitCode) && !EscapePressed(renderer)) {
    if (!renderer.windowActive) {
      // Minimised: the scene stands still until a message restores the window.
      paused = true;
      WaitMessage();
      continue;
    }
    if (paused) {
      paused = false;
      pacer.Resume();
    }
    const int64_t untilNextFrame = pacer.TicksUntilNextFrame();
    if (untilNextFrame > 0) {
      WaitForMessageOrTicks(untilNextFrame, clock.TicksPerSecond());
      continue;
    }
    if (!scene.DrawPlannedFrame(pacer.BeginFrame())) {
      break;
    }
    SwapBuffers(renderer.deviceContext);
    budget.FrameDone();
    pacer.EndFrame(refreshHz, budget.MinimumFrameTicks());
    if (pacer.TakePaceLine(paceLine)) {
      OutputDebugStringA(paceLine.data());
    }
  }
  timeEndPeriod(kTimerResolutionMs);
  return exitCode;
}
