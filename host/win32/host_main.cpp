// ミレボラ.scr: the screen-saver host. Windows starts it with the screen-saver switches: "/s" runs
// the saver, "/p <window>" shows the preview inside that window, "/c" the settings dialog.

#include <windows.h>

#include "contract/saver_contract.h"
#include "dialog/win32/settings_dialog.h"
#include "host/command_line.h"
#include "host/win32/host_state.h"
#include "host/win32/preview_window.h"
#include "host/win32/saver_window.h"
#include "settings/settings_file.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr wchar_t kRendererMissingMessage[] = L"ミレボラ.dll が同じﾌｫﾙﾀﾞに見つかりません！";

int RunMessageLoop() {
  MSG message;
  BOOL result;
  while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0 && result != -1) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// Restores the window if minimised and makes it the foreground window. The user has just started
// this host, so the system lets it hand the foreground on.
void BringToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  // Already the foreground window (minimised, then restored below the others), it is raised too.
  BringWindowToTop(window);
}

// Decides the mode and sets it running. Returns when the host should go on in its message loop;
// ends the host itself otherwise. `settings` is loaded here and must outlive the saver window.
void Main(HINSTANCE instance, SettingsRecord& settings) {
  const std::string arguments = HostArguments();
  const HostCommand command = ParseCommandLine(arguments);

  // Another host's saver window or settings dialog is running: leave it alone. Asked for the
  // settings again, show the user the dialog that is open, which may be behind other windows.
  const bool saverRunning = FindWindowW(nullptr, kSaverWindowTitle) != nullptr;
  const HWND openDialog = FindWindowW(nullptr, kSettingsDialogTitle);
  if (openDialog != nullptr && command.mode == HostMode::Settings) BringToFront(openDialog);
  if (saverRunning || openDialog != nullptr) EndHost();

  if (command.mode == HostMode::Preview) {
    HWND parent = reinterpret_cast<HWND>(static_cast<LONG_PTR>(command.previewWindow));
    if (!ShowPreviewWindow(instance, parent)) EndHost();
    return;
  }

  CreateDirectoryW(kHostCaptureFolderWide.data(), nullptr);

  const std::wstring programFolder = ProgramFolder();
  Win32ProfileFile profile;
  Win32CodePage codePage;
  Win32CodePage shiftJis(kShiftJisCodePage);
  Win32FileSystem files;
  SettingsFile settingsFile(profile, codePage, shiftJis, files, Utf8FromWide(programFolder),
                            UserSettingsFolder(ApplicationDataFolder()));
  settingsFile.LoadSettings(settings);

  const std::wstring rendererPath = RendererPath(programFolder);
  if (!FileExists(Utf8FromWide(rendererPath), files)) {
    MessageBoxW(nullptr, kRendererMissingMessage, kApplicationTitle, MB_OK);
    EndHost();
  }

  if (command.mode == HostMode::Settings) {
    ShowSettingsDialog(instance, settings, settingsFile);
    EndHost();
  }
  if (command.mode != HostMode::Saver) EndHost();

  // Hidden while the saver runs; the saver window shows it again as often as it was hidden.
  int cursorHideCount = 0;
  if (command.hideCursor) {
    ShowCursor(FALSE);
    ++cursorHideCount;
  }
  if (!LoadSaverWindow(instance, settings, rendererPath, cursorHideCount)) EndHost();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Lives as long as the host: the saver window and the dialog read it.
  SettingsRecord settings;
  Main(instance, settings);
  RunMessageLoop();
  EndHost();
}
