#pragma once

// What the Command button's window files share: the per-window struct and the painting and
// announcing steps that the window procedure and the property functions both run.
#include <windows.h>

#include <array>
#include <string>
#include <utility>

#include "controls/command_geometry.h"
#include "controls/command_properties.h"
#include "controls/command_state.h"

namespace command_shell {

// One Command button: its window, GDI objects and the portable core.
struct CommandWindow {
  explicit CommandWindow(CaptionFont designFont) : properties(std::move(designFont)) {}
  ~CommandWindow();
  CommandWindow(const CommandWindow&) = delete;
  CommandWindow& operator=(const CommandWindow&) = delete;

  HWND window = nullptr;
  HWND parent = nullptr;
  std::array<HBITMAP, 6> images{};
  HDC imageDc = nullptr;
  // The retained drawing surface: paints go here and WM_PAINT shows it while opaque.
  HDC surfaceDc = nullptr;
  HBITMAP surface = nullptr;
  HGDIOBJ surfaceOriginal = nullptr;
  int surfaceWidth = 0, surfaceHeight = 0;
  HFONT font = nullptr;
  int twipsPerPixelX = kTwipsPerPixelAt96Dpi, twipsPerPixelY = kTwipsPerPixelAt96Dpi;
  int pixelsPerInch = 96;  // the density the caption's font is made for: the screen's, or the
                           // container's (SetCommandDensity)
  PixelRect caption;
  CommandBehaviour behaviour;
  CommandProperties properties;
  CommandPaintState paint;
};

// The button behind `window`; null for a window of another class.
CommandWindow* CommandWindowOf(HWND window);

std::wstring Wide(const std::string& text);
std::string Utf8(const wchar_t* text);

// The caption label's font from its properties, at the screen's density.
void MakeFont(CommandWindow& command);
// A font object as the control keeps it; `font` null gives the system's dialog font.
CaptionFont CaptionFontOf(HFONT font);

// DrawButton: clear, gradient, the eight pieces, then the caption moves; shown at the next
// WM_PAINT.
void DrawButtonOn(CommandWindow& command, StateImage image);
// Shows the surface (or the parent's background when transparent) and the caption over it.
void OnPaint(CommandWindow& command);

// Paints what a property access asks for.
void Perform(CommandWindow& command, const PropertyEffect& effect);
// The answer to WM_GETOBJECT: for OBJID_CLIENT the button's own accessible object
// (command_accessible.cpp), made into an LRESULT; the system's answer for other objects.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// Tells the parent that `property` changed; nothing for null.
void Announce(const CommandWindow& command, const char* property);

}  // namespace command_shell
