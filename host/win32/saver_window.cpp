#include "host/win32/saver_window.h"

#include <memory>
#include <vector>

#include "contract/saver_contract.h"
#include "desk/desk_state.h"
#include "desk/win32/desk_notifications.h"
#include "host/renderer_command.h"
#include "host/renderer_watch.h"
#include "host/win32/capture_files.h"
#include "host/win32/host_state.h"
#include "music/music_session.h"
#include "music/win32/mci_system.h"

namespace {

// The window's timers.
constexpr UINT_PTR kTimer1Mp3Watch = 1;
constexpr UINT_PTR kTimer2CdWatch = 2;
constexpr UINT_PTR kTimer3RendererWatch = 3;

struct SaverWindow {
  SaverWindow(const SettingsRecord& settings, std::wstring rendererPath, int cursorHideCount)
      : rendererPath(std::move(rendererPath)),
        cursorHideCount(cursorHideCount),
        music(mci, settings) {}

  std::wstring rendererPath;
  int cursorHideCount;  // hides of the cursor not yet given back
  CaptureFiles captures;
  Win32MciPort mci;
  SaverMusic music;
  HANDLE rendererProcess = nullptr;
  ULONGLONG rendererStartTick = 0;
  std::unique_ptr<RendererWatch> watch;
  bool cdTimerOn = false;
  bool mp3TimerOn = false;
  // The displays, the session and sleep as the saver window has learnt of them: the music plays
  // only while the desk is showing.
  DeskState desk;
  std::unique_ptr<DeskNotifications> deskNotifications;
  bool musicPlaying = false;
};

SaverWindow* WindowState(HWND window) {
  return reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void SetTimerOn(HWND window, UINT_PTR timer, UINT intervalMs, bool on, bool& isOn) {
  if (on && !isOn) SetTimer(window, timer, intervalMs, nullptr);
  if (!on && isOn) KillTimer(window, timer);
  isOn = on;
}

// The music timers follow what the music asks for after each of its steps.
void FollowMusicTimers(HWND window, SaverWindow& saver) {
  SetTimerOn(window, kTimer2CdWatch, kCdWatchIntervalMs, saver.music.cdTimerOn(), saver.cdTimerOn);
  SetTimerOn(window, kTimer1Mp3Watch, kMp3WatchIntervalMs, saver.music.mp3TimerOn(),
             saver.mp3TimerOn);
}

// Starts the renderer, shown normally and activated: with no arguments when the capture files are
// in the shared folder, else with the folder they are in. The program is named separately and its
// command line starts with its quoted path, so a folder with blanks in its name cannot make the
// system start some other program.
bool StartRenderer(SaverWindow& saver) {
  std::wstring commandLine =
      RendererCommandLine(saver.rendererPath, saver.captures.rendererFolder());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  const std::wstring folder = ProgramFolder();
  if (!CreateProcessW(saver.rendererPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  // Kept only to see whether the renderer ended before it ever showed its window.
  saver.rendererProcess = process.hProcess;
  return true;
}

// Copies the screen, writes the capture files, then starts the renderer and the music.
void FormLoad(HWND window, SaverWindow& saver) {
  RECT inner{};
  GetClientRect(window, &inner);
  saver.captures.Place(
      MakeCaptureFiles(GetModuleHandleW(nullptr),
                       CopyPrimaryScreen(inner.right - inner.left, inner.bottom - inner.top)));

  saver.rendererStartTick = GetTickCount64();
  saver.watch = std::make_unique<RendererWatch>(saver.captures.placed() && StartRenderer(saver));

  saver.music.Start();
  saver.musicPlaying = true;
  FollowMusicTimers(window, saver);
}

// The music stops while nobody can see or hear the saver (displays off, the session locked or
// away, the machine asleep), so that no sound keeps the machine awake; it starts again as at the
// saver's start when the desk shows again.
void FollowDesk(HWND window, SaverWindow& saver) {
  if (saver.desk.Showing() == saver.musicPlaying) return;
  if (saver.musicPlaying) {
    saver.music.Stop();
  } else {
    saver.music.Start();
  }
  saver.musicPlaying = !saver.musicPlaying;
  FollowMusicTimers(window, saver);
}

// Stops the music, gives the cursor back when it was hidden, removes the capture files and ends
// the host. Every way the saver ends comes here.
[[noreturn]] void FormQueryUnload(HWND window, SaverWindow& saver) {
  KillTimer(window, kTimer3RendererWatch);
  saver.deskNotifications.reset();
  if (saver.musicPlaying) saver.music.Stop();
  KillTimer(window, kTimer2CdWatch);
  KillTimer(window, kTimer1Mp3Watch);
  for (; saver.cursorHideCount > 0; --saver.cursorHideCount) ShowCursor(TRUE);
  saver.captures.Remove();
  EndHost();
}

void Timer3Timer(HWND window, SaverWindow& saver) {
  RendererSighting sighting;
  sighting.windowFound = FindWindowW(nullptr, kRendererWindowTitleWide.data()) != nullptr;
  sighting.processEnded = saver.rendererProcess != nullptr &&
                          WaitForSingleObject(saver.rendererProcess, 0) == WAIT_OBJECT_0;
  sighting.sinceStartMs = GetTickCount64() - saver.rendererStartTick;
  if (saver.watch->RendererEnded(sighting)) FormQueryUnload(window, saver);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SaverWindow* saver = WindowState(window);
  switch (message) {
    case WM_TIMER:
      if (saver == nullptr || !saver->watch) return 0;
      if (wParam == kTimer3RendererWatch) {
        Timer3Timer(window, *saver);
      } else if (wParam == kTimer2CdWatch) {
        saver->music.OnCdTimer();
        FollowMusicTimers(window, *saver);
      } else if (wParam == kTimer1Mp3Watch) {
        saver->music.OnMp3Timer();
        FollowMusicTimers(window, *saver);
      }
      return 0;
    case WM_CLOSE:
      // Any request to close the saver window ends the saver the same way.
      if (saver != nullptr && saver->watch) FormQueryUnload(window, *saver);
      return 0;
    case WM_ENDSESSION:
      if (wParam && saver != nullptr && saver->watch) FormQueryUnload(window, *saver);
      return 0;
    case WM_POWERBROADCAST:
    case WM_WTSSESSION_CHANGE: {
      LRESULT result = 0;
      if (saver == nullptr ||
          !DeskNotifications::Answer(saver->desk, message, wParam, lParam, result)) {
        return DefWindowProcW(window, message, wParam, lParam);
      }
      if (saver->watch) FollowDesk(window, *saver);
      return result;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool LoadSaverWindow(HINSTANCE instance, const SettingsRecord& settings,
                     const std::wstring& rendererPath, int cursorHideCount) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = SaverWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kSaverWindowClass;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassW(&windowClass);

  // Borderless and as large as the primary screen, so its inner area is the screen size; never
  // shown, so the screen copy holds none of the host's windows.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kSaverWindowClass, kSaverWindowTitle, WS_POPUP, 0,
                                0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return false;

  // The window keeps its state for the whole run; the host ends by process termination.
  auto* saver = new SaverWindow(settings, rendererPath, cursorHideCount);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver));
  // The renderer watch runs from the moment the window is loaded; its ticks arrive once the
  // start-up has returned to the message loop.
  SetTimer(window, kTimer3RendererWatch, kRendererWatchIntervalMs, nullptr);
  FormLoad(window, *saver);
  saver->deskNotifications = std::make_unique<DeskNotifications>(window);
  return true;
}
