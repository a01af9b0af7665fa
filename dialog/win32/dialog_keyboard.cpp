// The settings dialog's keyboard and focus: what a key press does, Tab along the tab order, the
// focus handed on before a control is disabled, and brought back when the dialog is active again.
#include <algorithm>
#include <optional>
#include <vector>

#include "dialog/dialog_keys.h"
#include "dialog/win32/dialog_window.h"

namespace {

// Bit 29 of a key message's lParam: Alt was held.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

DialogKey KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_TAB:
      return DialogKey::Tab;
    case VK_RETURN:
      return DialogKey::Enter;
    case VK_ESCAPE:
      return DialogKey::Escape;
    case VK_UP:
      return DialogKey::Up;
    case VK_DOWN:
      return DialogKey::Down;
    case VK_LEFT:
      return DialogKey::Left;
    case VK_RIGHT:
      return DialogKey::Right;
    default:
      return DialogKey::Other;
  }
}

bool Within(HWND outer, HWND window) {
  return window != nullptr && (window == outer || IsChild(outer, window));
}

bool CanTakeFocus(HWND window) {
  return window != nullptr && IsWindowEnabled(window) && IsWindowVisible(window);
}

// Which stops can take the focus: enabled and shown, and of the choices only the one the group's
// stop rests on. `leaving` (a control about to be disabled) cannot.
std::vector<bool> UsableStops(const SettingsDialog& dialog, HWND leaving) {
  const HWND choiceStop =
      dialog.choiceLabels[static_cast<size_t>(ChoiceTabStop(dialog.settings.bgmKind))];
  std::vector<bool> usable;
  for (HWND stop : dialog.tabStops) {
    const bool choice = std::find(dialog.choiceLabels.begin(), dialog.choiceLabels.end(), stop) !=
                        dialog.choiceLabels.end();
    usable.push_back(stop != leaving && CanTakeFocus(stop) && (!choice || stop == choiceStop));
  }
  return usable;
}

// The last stop that holds `window`: the panel holds the controls inside it, which come later.
std::optional<size_t> StopHolding(const SettingsDialog& dialog, HWND window) {
  std::optional<size_t> current;
  for (size_t i = 0; i < dialog.tabStops.size(); ++i) {
    if (Within(dialog.tabStops[i], window)) current = i;
  }
  return current;
}

void MoveFocus(const SettingsDialog& dialog, std::optional<size_t> from, int step, HWND leaving) {
  if (const auto next = NextTabStop(from, step, UsableStops(dialog, leaving))) {
    SetFocus(dialog.tabStops[*next]);
  }
}

}  // namespace

DialogKeyAction KeyActionOf(const SettingsDialog& dialog, const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
    return DialogKeyAction::None;
  }
  if (!Within(dialog.window, message.hwnd)) return DialogKeyAction::None;
  DialogKeyPress press;
  press.key = KeyOf(message.wParam);
  press.shift = GetKeyState(VK_SHIFT) < 0;
  press.alt = (message.lParam & kAltHeld) != 0;
  press.onChoice = FocusedChoice(dialog).has_value();
  press.onButton = FocusOnPushButton(dialog);
  press.listDropped = SendMessageW(dialog.repeatTrack, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  return ActionOfKey(press);
}

bool FocusOnPushButton(const SettingsDialog& dialog) {
  const HWND focus = GetFocus();
  if (focus == dialog.window || !Within(dialog.window, focus)) return false;
  const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void MoveFocusAlongTabOrder(const SettingsDialog& dialog, int step) {
  MoveFocus(dialog, StopHolding(dialog, GetFocus()), step, nullptr);
}

void DisableKeepingFocus(const SettingsDialog& dialog, HWND control) {
  if (control == nullptr) return;
  if (Within(control, GetFocus())) {
    MoveFocus(dialog, StopHolding(dialog, control), +1, control);
  }
  EnableWindow(control, FALSE);
}

std::optional<int> FocusedChoice(const SettingsDialog& dialog) {
  const HWND focus = GetFocus();
  for (int kind = 0; kind < kChoiceCount; ++kind) {
    if (focus != nullptr && dialog.choiceLabels[static_cast<size_t>(kind)] == focus) return kind;
  }
  return std::nullopt;
}

void FocusChoice(const SettingsDialog& dialog, int kind) {
  if (kind >= 0 && kind < kChoiceCount) SetFocus(dialog.choiceLabels[static_cast<size_t>(kind)]);
}

void NoteFocus(SettingsDialog& dialog) {
  const HWND focus = GetFocus();
  if (focus != dialog.window && Within(dialog.window, focus)) dialog.lastFocus = focus;
}

void RestoreFocus(const SettingsDialog& dialog) {
  const std::optional<size_t> stop = StopHolding(dialog, dialog.lastFocus);
  if (stop && UsableStops(dialog, nullptr)[*stop] && CanTakeFocus(dialog.lastFocus)) {
    SetFocus(dialog.lastFocus);
  } else {
    MoveFocus(dialog, std::nullopt, +1, nullptr);
  }
}
