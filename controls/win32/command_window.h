#pragma once

#include <windows.h>

// The Command button as a Win32 child window of class "Valdorique.Command".
//
// The container creates it with CreateWindowExW (the window text is the caption, the control
// identifier is the menu argument), then sends kCommandInitializeMessage once, which starts the
// 100 ms pointer poll. EnableWindow switches the control's Enabled property. A completed press
// reaches the parent as WM_COMMAND with MAKEWPARAM(identifier, BN_CLICKED) and the control's
// window as lParam, sent (not posted) from inside the control's mouse-up handling, so the
// parent's handler has run before the mouse-up handling returns.

inline constexpr wchar_t kCommandClassName[] = L"Valdorique.Command";

// wParam and lParam unused; the result is 0.
inline constexpr UINT kCommandInitializeMessage = WM_APP + 0x4301;

// Registers the class for `instance`; the state images are loaded from the same module's
// resources. True when the class is registered (also when it already was).
bool RegisterCommandClass(HINSTANCE instance);

// Paints the control with the image of its current look and shows it at once; for the
// benchmark. Returns false when `window` is no Command button.
bool RepaintCommandNow(HWND window);
