// The Command button's public properties for its container, and loading and saving them
// through the container's store.
#include <windows.h>

#include "controls/win32/command_window.h"
#include "controls/win32/command_window_data.h"

using namespace command_shell;

namespace {

constexpr DWORD kCreatedStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

// The container's font: what the parent answers to WM_GETFONT, else the system's dialog font.
CaptionFont AmbientFont(const CommandWindow& command) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(command.parent, WM_GETFONT, 0, 0));
  return CaptionFontOf(font);
}

// Loading sets the caption without announcing it; the window text follows.
void ShowLoadedCaption(CommandWindow& command) {
  const std::wstring caption = Wide(command.properties.Caption());
  DefWindowProcW(command.window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
}

// A setter's order: the property's own paint, then the announcement; the caption label shows
// its new text, colour or font even when nothing is painted.
void Apply(CommandWindow& command, const PropertyEffect& effect) {
  Perform(command, effect);
  InvalidateRect(command.window, nullptr, FALSE);
  Announce(command, effect.changed);
}

}  // namespace

HWND CreateCommandButton(HINSTANCE instance, HWND parent, int identifier, int x, int y, int width,
                         int height, const PropertyStore& stored) {
  HWND button =
      CreateWindowExW(0, kCommandClassName, L"", kCreatedStyle, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), instance, nullptr);
  if (button == nullptr) return nullptr;
  ReadCommandProperties(button, stored);
  return button;
}

// After loading, the look of a button just sized: Normal, or Disable for a stored disabled one.
bool ReadCommandProperties(HWND button, const PropertyStore& stored) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  const PropertyEffect effect = command->properties.ReadProperties(stored, AmbientFont(*command));
  MakeFont(*command);
  ShowLoadedCaption(*command);
  Perform(*command, effect);
  Perform(*command, command->properties.Resize());
  InvalidateRect(button, nullptr, FALSE);
  return true;
}

bool WriteCommandProperties(HWND button, PropertyStore& store) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  Perform(*command, command->properties.WriteProperties(store, AmbientFont(*command)));
  return true;
}

std::optional<std::uint8_t> CommandVisible(HWND button) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return std::nullopt;
  const PropertyRead<std::uint8_t> read = command->properties.Visible();
  Perform(*command, read.effect);
  return read.value;
}

// Opaque or transparent, the whole button shows anew.
bool SetCommandVisible(HWND button, std::uint8_t visible) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  Apply(*command, command->properties.SetVisible(visible));
  return true;
}

std::optional<std::uint32_t> CommandFontColour(HWND button) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return std::nullopt;
  const PropertyRead<std::uint32_t> read = command->properties.FontColour();
  Perform(*command, read.effect);
  return read.value;
}

bool SetCommandFontColour(HWND button, std::uint32_t colour) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  Apply(*command, command->properties.SetFontColour(colour));
  return true;
}

std::optional<bool> CommandEnabled(HWND button) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return std::nullopt;
  const PropertyRead<bool> read = command->properties.Enabled();
  Perform(*command, read.effect);
  return read.value;
}

// Announced before the enabled or disabled look is painted.
bool SetCommandEnabled(HWND button, bool enabled) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  const PropertyEffect effect = command->properties.SetEnabled(enabled);
  Announce(*command, effect.changed);
  Perform(*command, effect);
  return true;
}

std::optional<std::string> CommandCaption(HWND button) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return std::nullopt;
  return command->properties.Caption();
}

// Through the window text, which keeps it and announces the change.
bool SetCommandCaption(HWND button, const std::string& caption) {
  if (CommandWindowOf(button) == nullptr) return false;
  SetWindowTextW(button, Wide(caption).c_str());
  return true;
}

std::optional<CaptionFont> CommandFont(HWND button) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return std::nullopt;
  return command->properties.Font();
}

bool SetCommandFont(HWND button, const CaptionFont& font) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr) return false;
  const PropertyEffect effect = command->properties.SetFont(font);
  MakeFont(*command);
  Apply(*command, effect);
  return true;
}
