// e2e-display-state-hook.dll: brings notifications that point into a program's memory into that
// program's process, as the system does: the probe hooks the program's thread with it and posts
// the hook's message; inside that thread the hook sends the notification with data that lives in
// the program's own memory, then signals the probe that it is done. Two notifications: the
// display state (WM_POWERBROADCAST with a display-state setting) and a change of the display's
// density (WM_DPICHANGED with the window rectangle the system suggests).
#include <windows.h>

#include <cstring>

namespace {

// GUID_CONSOLE_DISPLAY_STATE {6FE69556-704A-47A0-8F24-C28D936FDA47}.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

// The message the probe posts for the display state (wParam: 0 off, 1 on, 2 dimmed).
extern "C" __declspec(dllexport) const wchar_t kDisplayStateMessage[] = L"MireboraE2eDisplayState";

namespace {

void SignalDone() {
  HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"MireboraE2eHookDone");
  if (done != nullptr) {
    SetEvent(done);
    CloseHandle(done);
  }
}

// What the system suggests for a window whose display changes to `dotsPerInch`: the client area
// scaled from the screen's density, each side rounded to the nearest pixel, in a frame of the
// window's style, at the window's place.
RECT SuggestedRectangle(HWND window, int dotsPerInch) {
  HDC screen = GetDC(nullptr);
  const int from = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  const auto scaled = [&](LONG length) { return (length * dotsPerInch + from / 2) / from; };
  RECT suggested{0, 0, scaled(client.right), scaled(client.bottom)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
  return suggested;
}

}  // namespace

// The message the probe posts for a density change (wParam: the new dots per inch).
extern "C" __declspec(dllexport) const wchar_t kDensityChangeMessage[] =
    L"MireboraE2eDensityChange";

extern "C" __declspec(dllexport) LRESULT CALLBACK
    DensityChangeHook(int code, WPARAM removed, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  static const UINT kMessage = RegisterWindowMessageW(kDensityChangeMessage);
  if (code == HC_ACTION && removed == PM_REMOVE && message->message == kMessage) {
    const int dotsPerInch = static_cast<int>(message->wParam);
    const RECT suggested = SuggestedRectangle(message->hwnd, dotsPerInch);
    SendMessageW(message->hwnd, WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                 reinterpret_cast<LPARAM>(&suggested));
    message->message = WM_NULL;
    SignalDone();
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

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
    SignalDone();
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}
