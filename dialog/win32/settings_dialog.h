#pragma once

#include <windows.h>

#include "settings/settings_file.h"

// Shows the settings dialog "<ミレボラ>" modally and returns once it has closed; Set stores the
// chosen settings through `file` (SaveSettings) before closing.
void ShowSettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file);
