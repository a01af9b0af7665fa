#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog_keys.h"
#include "dialog/dialog_scale.h"
#include "dialog/win32/dialog_pieces.h"
#include "settings/settings_file.h"

// The settings dialog window's own data and the steps that build it; shared by the files of the
// dialog window only.

inline constexpr int kChoiceCount = 3;

// The display's dots per inch as the system reports them to this program, which declares itself
// aware of the density and so is not scaled by the system.
int ScreenDotsPerInch();

// UTF-16 of a UTF-8 text; empty for nullptr or a text that is not UTF-8.
std::wstring Wide(const char* utf8);
std::wstring Wide(const std::string& utf8);

// Everything the dialog window owns, released in one place.
struct SettingsDialog {
  SettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file)
      : instance(instance), settings(settings), file(file), scale(ScreenDotsPerInch()) {}
  ~SettingsDialog() {
    background.Release();
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(linkFont),
                           static_cast<HGDIOBJ>(panelTexture), static_cast<HGDIOBJ>(radioOff),
                           static_cast<HGDIOBJ>(radioOn)}) {
      if (object != nullptr) DeleteObject(object);
    }
  }
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  HINSTANCE instance;
  SettingsRecord& settings;
  SettingsFile& file;
  DialogScale scale;  // the layout at the display's density, read when the dialog opens

  HWND window = nullptr;
  HWND panel = nullptr;
  HWND repeatTrack = nullptr;
  HWND fileButton = nullptr;
  HWND fileName = nullptr;
  std::array<HWND, kChoiceCount> choiceImages{};
  // By music kind; the labels take the focus of the choices.
  std::array<HWND, kChoiceCount> choiceLabels{};
  std::vector<HWND> tabStops;  // in tab order, the three choices side by side
  // The control that had the focus when the message loop last looked.
  HWND lastFocus = nullptr;

  HFONT font = nullptr;
  HFONT linkFont = nullptr;
  HBITMAP panelTexture = nullptr;
  HBITMAP radioOff = nullptr;
  HBITMAP radioOn = nullptr;
  HCURSOR linkCursor = nullptr;  // a shared resource cursor: not destroyed
  RetainedPicture background;    // the painted band

  std::wstring guidePath;  // the link's caption: the user guide beside the program
  POINT cursor{0, 0};      // cursorX, cursorY: where the zooms start and end
  bool closed = false;
};

// The fonts, pictures and cursor of the dialog, from the program's resources. Whatever fails to
// load stays null and its step is skipped later.
void LoadDialogArtwork(SettingsDialog& dialog);

// Every control of the layout table, in table order; fills the handles and the tab order.
void CreateControls(SettingsDialog& dialog);

// The dialog laid out again at `dotsPerInch`, as it opens at that density: fonts, every control's
// place and size, the panel's picture. The window's own size is the caller's.
void ScaleToDensity(SettingsDialog& dialog, int dotsPerInch);

// The repeat-track box and the edit field inside it named `name` for screen readers
// (track_list_accessible.cpp).
void NameTrackListForScreenReaders(HWND combo, const std::wstring& name);

// InitButtons: Initialize on every Command button, in the form's control order.
void InitButtons(const SettingsDialog& dialog);

// TilePanelBackground, then the "BGM" frame over the tiles.
void TilePanelBackground(const SettingsDialog& dialog);

// The program icon on the window, at the caption's and the task switcher's sizes.
void SetWindowIcons(const SettingsDialog& dialog);

// The keyboard (dialog_keyboard.cpp).

// What the key press in `message` does in the dialog; None for other messages. With no focused
// window the system reports plain keys to the active window as system keys: those count too.
DialogKeyAction KeyActionOf(const SettingsDialog& dialog, const MSG& message);

// Whether the focus is on a control of the dialog that answers WM_GETDLGCODE as a push button.
bool FocusOnPushButton(const SettingsDialog& dialog);

// Tab (+1) and Shift+Tab (-1): the focus to the next stop that can take it.
void MoveFocusAlongTabOrder(const SettingsDialog& dialog, int step);

// Disables `control`, first handing the focus on to the next stop when it is in `control`.
void DisableKeepingFocus(const SettingsDialog& dialog, HWND control);

// The music kind of the choice that has the focus; none when the focus is elsewhere.
std::optional<int> FocusedChoice(const SettingsDialog& dialog);
void FocusChoice(const SettingsDialog& dialog, int kind);

// Notes which control has the focus, for RestoreFocus; called by the message loop.
void NoteFocus(SettingsDialog& dialog);
// The dialog is active again (after the file chooser, another program): the focus goes back to
// the control that had it, or to the first stop that can take it.
void RestoreFocus(const SettingsDialog& dialog);
