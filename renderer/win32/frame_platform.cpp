#include "renderer/win32/frame_platform.h"

#include <mmsystem.h>

namespace {

// Waits for the next frame end within a millisecond, not within the system's default tick.
constexpr UINT kTimerResolutionMs = 1;
constexpr int64_t kMillisecondsPerSecond = 1000;

int64_t FileTimeTicks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                              time.dwLowDateTime);
}

}  // namespace

WindowsFramePlatform::WindowsFramePlatform(RendererWindow& renderer)
    : renderer_(renderer),
      // The display's refresh rate as Windows reports it; 0 and 1 stand for the hardware's
      // default, which the pacer takes as unknown.
      refreshHz_(GetDeviceCaps(renderer.deviceContext, VREFRESH)) {
  timeBeginPeriod(kTimerResolutionMs);
}

WindowsFramePlatform::~WindowsFramePlatform() { timeEndPeriod(kTimerResolutionMs); }

bool WindowsFramePlatform::PumpInput(const LoopProgress&) {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      exitCode_ = static_cast<int>(message.wParam);
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return !renderer_.escapePressed;
}

bool WindowsFramePlatform::TakeNewSize(int& width, int& height) {
  if (!renderer_.sizeChanged) {
    return false;
  }
  renderer_.sizeChanged = false;
  width = renderer_.clientWidth;
  height = renderer_.clientHeight;
  return true;
}

// Never returns at once on a time limit, so that a loop around it cannot spin.
void WindowsFramePlatform::WaitForInput(int64_t ticks) {
  DWORD timeout = INFINITE;
  if (ticks != kNoTimeLimit) {
    const int64_t perSecond = wallClock_.TicksPerSecond();
    const int64_t milliseconds = (ticks * kMillisecondsPerSecond + perSecond - 1) / perSecond;
    timeout = static_cast<DWORD>(milliseconds > 0 ? milliseconds : 1);
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT);
}

void WindowsFramePlatform::ShowFrame(int64_t) { SwapBuffers(renderer_.deviceContext); }

int64_t WindowsFramePlatform::ProcessCpuTime::Now() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    return 0;
  }
  return FileTimeTicks(kernel) + FileTimeTicks(user);
}
