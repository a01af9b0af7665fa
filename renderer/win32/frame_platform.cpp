#include "renderer/win32/frame_platform.h"

#include <mmsystem.h>

#include <string_view>

namespace {

// Waits for the next frame end within a millisecond, not within the system's default tick.
constexpr UINT kTimerResolutionMs = 1;
constexpr int64_t kMillisecondsPerSecond = 1000;

int64_t FileTimeTicks(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                              time.dwLowDateTime);
}

}  // namespace

WindowsFramePlatform::WindowsFramePlatform(SceneWindow& scene, SharedDesk& desk,
                                           FramePlatformOptions options)
    : scene_(scene),
      desk_(desk),
      options_(std::move(options)),
      refreshHz_(RefreshRateOfWindow(scene.window, scene.deviceContext)) {}

WindowsFramePlatform::~WindowsFramePlatform() { PacingChanged(false); }

void WindowsFramePlatform::PacingChanged(bool pacing) {
  if (pacing == finerTimer_) return;
  finerTimer_ = pacing;
  if (pacing) {
    timeBeginPeriod(kTimerResolutionMs);
  } else {
    timeEndPeriod(kTimerResolutionMs);
  }
}

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
  if (scene_.displayChanged) {
    scene_.displayChanged = false;
    refreshHz_ = RefreshRateOfWindow(scene_.window, scene_.deviceContext);
    if (options_.onDisplayChange) options_.onDisplayChange();
  }
  if (scene_.deskChanged) {
    scene_.deskChanged = false;
    if (options_.onDeskChange) options_.onDeskChange();
  }
  if (scene_.endRequested) desk_.Request();
  return !desk_.Requested() && !(options_.retired != nullptr && *options_.retired);
}

bool WindowsFramePlatform::TakeNewSize(int& width, int& height) {
  if (!scene_.sizeChanged) {
    return false;
  }
  scene_.sizeChanged = false;
  width = scene_.clientWidth;
  height = scene_.clientHeight;
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

void WindowsFramePlatform::ShowFrame(int64_t) { SwapBuffers(scene_.deviceContext); }

void WindowsFramePlatform::Report(const char* line) {
  // The loop's lines begin "mirebora: "; another monitor's scene says which it is.
  constexpr std::string_view kLoopName = "mirebora";
  const std::string_view text(line);
  if (options_.reportName == kLoopName || text.substr(0, kLoopName.size()) != kLoopName) {
    OutputDebugStringA(line);
    return;
  }
  OutputDebugStringA((options_.reportName + std::string(text.substr(kLoopName.size()))).c_str());
}

int64_t WindowsFramePlatform::ProcessCpuTime::Now() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    return 0;
  }
  return FileTimeTicks(kernel) + FileTimeTicks(user);
}
