#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "controls/command_properties.h"

// The Command button as a Win32 child window of class "Valdorique.Command".
//
// The container creates it with CreateWindowExW (the window text is the caption, the control
// identifier is the menu argument), then sends kCommandInitializeMessage once, which starts the
// 100 ms pointer poll. EnableWindow switches the control's Enabled property. A completed press
// reaches the parent as WM_COMMAND with MAKEWPARAM(identifier, BN_CLICKED) and the control's
// window as lParam, sent (not posted) from inside the control's mouse-up handling, so the
// parent's handler has run before the mouse-up handling returns. Space on the focused button
// presses it the same way: its release raises the Click. BM_CLICK raises the Click at once, as a
// completed press does, unless the control is disabled. To WM_GETDLGCODE it answers as a push
// button: DLGC_BUTTON with DLGC_DEFPUSHBUTTON while it has the focus, or while its window style
// carries BS_DEFPUSHBUTTON (the container's default button) and no other Command button has the
// focus; DLGC_UNDEFPUSHBUTTON otherwise.
//
// Screen readers: WM_GETOBJECT with OBJID_CLIENT answers with the button's own IAccessible (made
// by LresultFromObject, so the thread needs COM): a push button named by its caption, its states
// focusable and, as they apply, focused, pressed and unavailable, its default action "press",
// which raises the Click as BM_CLICK does.
//
// A button with stored properties. The container keeps each button's stored values in a
// CommandPropertyBag (controls/command_property_bag.h), filled from its own design data, and
// creates the button from it; the store's rules apply (a missing caption loads as "Command1",
// of a stored font only the face name, FirstRun as stored):
//
//   CommandPropertyBag stored{{"Caption", std::string("設定")}};
//   HWND button = CreateCommandButton(instance, dialog, kSetButton, 316, 200, 81, 25, stored);
//   SendMessageW(button, kCommandInitializeMessage, 0, 0);
//
// and gets them back with WriteCommandProperties(button, bag) when it saves its own state.
// Texts are UTF-8; SetWindowTextW on the button sets its Caption as well.
//
// Property changes. Setting Visible, FontColour, Enabled (also through EnableWindow), Caption
// (also through SetWindowTextW) or Font tells the parent with a WM_NOTIFY whose lParam points to
// a CommandPropertyChange with the code kCommandPropertyChanged, sent before the setter
// returns, so that the container can mark its stored state dirty. Creating and loading a
// button announce nothing.
//
// A transparent button (Visible 0) shows only its caption over the parent's background: it asks
// the parent to paint its client area into the button's surface with WM_ERASEBKGND and then
// WM_PRINTCLIENT (PRF_CLIENT), the viewport moved so that the parent's coordinates apply. A
// parent that paints its own background in WM_PAINT answers WM_PRINTCLIENT the same way.

inline constexpr wchar_t kCommandClassName[] = L"Valdorique.Command";

// wParam and lParam unused; the result is 0.
inline constexpr UINT kCommandInitializeMessage = WM_APP + 0x4301;

// WM_NOTIFY code of a property change; `property` is "Visible", "FontColour", "Enabled",
// "Caption" or "Font".
inline constexpr UINT kCommandPropertyChanged = 0x4301;
struct CommandPropertyChange {
  NMHDR header;  // the button's window, its identifier, kCommandPropertyChanged
  const char* property;
};

// Registers the class for `instance`; the state images are loaded from the same module's
// resources. True when the class is registered (also when it already was).
bool RegisterCommandClass(HINSTANCE instance);

// The density the button lays out its caption at, in dots per inch: the screen's when created;
// a container that follows a change of density sets it, then its font. False when `button` is no
// Command button or the density is not positive.
bool SetCommandDensity(HWND button, int dotsPerInch);

// Paints the control with the image of its current look and shows it at once; for the
// benchmark. Returns false when `window` is no Command button.
bool RepaintCommandNow(HWND window);

// Creates a visible button that takes the focus with Tab, loads `stored` into it and shows its
// loaded look (the Disable look when stored disabled). Null when the window cannot be created.
HWND CreateCommandButton(HINSTANCE instance, HWND parent, int identifier, int x, int y, int width,
                         int height, const PropertyStore& stored);

// Loading from and saving to the container's store. The container's font (the parent's
// WM_GETFONT, else the system's dialog font) is the default of "Font". False when `button` is
// no Command button.
bool ReadCommandProperties(HWND button, const PropertyStore& stored);
bool WriteCommandProperties(HWND button, PropertyStore& store);

// The public properties. Getters return nothing and setters false when `button` is no Command
// button. Reading and writing have the effects of the properties themselves: reading FontColour,
// Enabled or an opaque Visible repaints the button with its Normal (or Disable) look.
//
// Visible is the background style, not the window's visibility: 255 opaque, 0 transparent;
// writing any non-zero value makes it opaque again. Enabled is the control's own property: a
// button disabled through it keeps its window enabled, takes the focus and ignores input, while
// EnableWindow(FALSE) also keeps every mouse event from it. FontColour is a COLORREF, or a system
// colour as 0x80000000 + COLOR_* index.
std::optional<std::uint8_t> CommandVisible(HWND button);
bool SetCommandVisible(HWND button, std::uint8_t visible);
std::optional<std::uint32_t> CommandFontColour(HWND button);
bool SetCommandFontColour(HWND button, std::uint32_t colour);
std::optional<bool> CommandEnabled(HWND button);
bool SetCommandEnabled(HWND button, bool enabled);
std::optional<std::string> CommandCaption(HWND button);
bool SetCommandCaption(HWND button, const std::string& caption);
std::optional<CaptionFont> CommandFont(HWND button);
bool SetCommandFont(HWND button, const CaptionFont& font);
