#include "desk/win32/desk_notifications.h"

#include <wtsapi32.h>

#include <cstring>

namespace {

GUID ConsoleDisplayState() {
  GUID id;
  static_assert(sizeof id == desk_notification::kConsoleDisplayState.size());
  std::memcpy(&id, desk_notification::kConsoleDisplayState.data(), sizeof id);
  return id;
}

}  // namespace

DeskNotifications::DeskNotifications(HWND window) : window_(window) {
  if (window == nullptr) return;
  // The current state arrives at once as a first change.
  GUID displayState = ConsoleDisplayState();
  displayState_ =
      RegisterPowerSettingNotification(window, &displayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  sessionRegistered_ = WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

DeskNotifications::~DeskNotifications() {
  if (displayState_ != nullptr) UnregisterPowerSettingNotification(displayState_);
  if (sessionRegistered_) WTSUnRegisterSessionNotification(window_);
}

bool DeskNotifications::Answer(DeskState& desk, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) {
  desk_notification::PowerSetting setting{};
  const desk_notification::PowerSetting* carried = nullptr;
  if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE && lParam != 0) {
    const auto* broadcast = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    std::memcpy(setting.id.data(), &broadcast->PowerSetting, setting.id.size());
    setting.dataLength = broadcast->DataLength;
    setting.data = broadcast->Data;
    carried = &setting;
  }
  if (!ApplyDeskNotification(desk, message, wParam, carried)) return false;
  result = message == WM_POWERBROADCAST ? TRUE : 0;
  return true;
}
