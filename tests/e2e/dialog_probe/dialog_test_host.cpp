// dialog-test-host.exe: shows the settings dialog over the settings file in its own folder, as
// the host does in settings mode, for looking at the dialog without the host.
#include <windows.h>

#include <string>

#include "dialog/win32/settings_dialog.h"
#include "settings/settings_file.h"
#include "settings/win32/settings_system.h"

int wmain() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  Win32ProfileFile profile;
  Win32CodePage codePage;
  Win32CodePage shiftJis(kShiftJisCodePage);
  Win32FileSystem files;
  SettingsFile file(profile, codePage, shiftJis, files, FolderOfPath(Utf8FromWide(path)),
                    UserSettingsFolder(ApplicationDataFolder()));
  SettingsRecord settings;
  file.LoadSettings(settings);
  ShowSettingsDialog(GetModuleHandleW(nullptr), settings, file);
  return 0;
}
