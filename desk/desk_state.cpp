#include "desk/desk_state.h"

#include <cstring>

namespace n = desk_notification;

namespace {

void ApplyPowerEvent(DeskState& desk, uintptr_t event, const n::PowerSetting* setting) {
  switch (event) {
    case n::kSuspend:
      desk.Suspended(true);
      return;
    case n::kResumeSuspend:
    case n::kResumeAutomatic:
      desk.Suspended(false);
      return;
    case n::kPowerSettingChange: {
      uint32_t state = 0;
      if (setting == nullptr || setting->id != n::kConsoleDisplayState ||
          setting->data == nullptr || setting->dataLength < sizeof state) {
        return;
      }
      std::memcpy(&state, setting->data, sizeof state);
      desk.DisplayChanged(state == 0   ? DeskState::Display::Off
                          : state == 2 ? DeskState::Display::Dimmed
                                       : DeskState::Display::On);
      return;
    }
    default:
      return;
  }
}

void ApplySessionEvent(DeskState& desk, uintptr_t event) {
  switch (event) {
    case n::kSessionLock:
      desk.SessionLocked(true);
      return;
    case n::kSessionUnlock:
      desk.SessionLocked(false);
      return;
    case n::kConsoleDisconnect:
    case n::kRemoteDisconnect:
      desk.SessionConnected(false);
      return;
    case n::kConsoleConnect:
    case n::kRemoteConnect:
      desk.SessionConnected(true);
      return;
    default:
      return;
  }
}

}  // namespace

bool ApplyDeskNotification(DeskState& desk, unsigned message, uintptr_t event,
                           const n::PowerSetting* setting) {
  if (message == n::kPowerBroadcast) {
    ApplyPowerEvent(desk, event, setting);
    return true;
  }
  if (message == n::kSessionChange) {
    ApplySessionEvent(desk, event);
    return true;
  }
  return false;
}
