#pragma once

#include <windows.h>

#include <string>

#include "settings/settings_file.h"

// The hidden saver window "Valdorique_Main". Loading it copies the screen, writes the capture
// files, starts the renderer and the music; its timers then keep the music going and watch the
// renderer's window, and once that is gone the window stops the music, gives the cursor back and
// ends the host. It is never shown: its title is what a second host start looks for.

// Creates the window and runs its load. `settings` must outlive the window (it lives as long as
// the host). `cursorHideCount` is how often the host hid the cursor before: the window shows it
// that often again when the saver ends. False when the window could not be created; the host then
// has nothing to run.
bool LoadSaverWindow(HINSTANCE instance, const SettingsRecord& settings,
                     const std::wstring& rendererPath, int cursorHideCount);
