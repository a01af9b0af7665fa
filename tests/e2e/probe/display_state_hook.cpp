// e2e-display-state-hook.dll: brings a display-state notification into another program's
// process, as the system does: the probe hooks the program's thread with it and posts the hook's
// message; inside that thread the hook sends WM_POWERBROADCAST with a display-state setting that
// lives in the program's own memory, then signals the probe that it is done.
#include <windows.h>

#include <cstring>

namespace {

// GUID_CONSOLE_DISPLAY_STATE {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

// The message the probe posts (wParam: 0 off, 1 on, 2 dimmed) and the event it waits on.
extern "C" __declspec(dllexport) const wchar_t kDisplayStateMessage[] = L"MireboraE2eDisplayState";
extern "C" __declspec(dllexport) const wchar_t kDisplayStateDone[] = L"MireboraE2eDisplayStateDone";

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DisplayStateHook(int code, WPARAM removed, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  static const UINT kMessage = RegisterWindowMessageW(kDisplayStateMessage);
  if (code == HC_ACTION && removed == PM_REMOVE && message->message == kMessage) {
    // POWERBROADCAST_SETTING with one DWORD of data.
    struct {
      GUID PowerSetting;
      DWORD DataLength;
      DWORD Data;
    } setting{kConsoleDisplayState, sizeof(DWORD), static_cast<DWORD>(message->wParam)};
    SendMessageW(message->hwnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(&setting));
    message->message = WM_NULL;
    HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, kDisplayStateDone);
    if (done != nullptr) {
      SetEvent(done);
      CloseHandle(done);
    }
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}
