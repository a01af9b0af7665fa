#pragma once

#include <windows.h>

#include "settings/settings_file.h"

// The caption of the host's message boxes, the dialog's included.
inline constexpr wchar_t kApplicationTitle[] = L"ミレボラ (ScreenSaver)";

// Shows the settings dialog "<ミレボラ>" modally and returns once it has closed; Set stores the
// chosen settings through `file` (SaveSettings) before closing. When they could be stored
// nowhere, Set says so in a message box and the dialog stays open with the choices as they are.
void ShowSettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file);
