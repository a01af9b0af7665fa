// e2e-probe.exe: a small Windows program the Wine scenarios use to look at and drive the
// programs under test from inside Wine, as another program on the same desktop would.
//
//   find TITLE TIMEOUT_MS            wait for a top-level window; print its facts
//   gone TITLE TIMEOUT_MS [CLASS]    wait until no top-level window has that title (and class)
//   post TITLE MESSAGE WPARAM LPARAM post a message (a name below or a number)
//   dialogs CAPTION                  print every message box with that caption
//   press-ok CAPTION                 close one message box with that caption by its OK button
//   display-mode                     print the current display mode as WxHxBITS
//   display-state TITLE 0|1|2         tell the window's program that the displays are off, on or
//                                    dimmed, inside its own process as the system does (through
//                                    e2e-in-process-hook.dll beside the probe)
//   density TITLE DPI                tell the window that its display's density changed to DPI,
//                                    inside its own process as the system does (same hook), with
//                                    the window rectangle the system suggests
//   accessible TITLE ID [do-default]
//                                    what the control ID (0: the focused one) of the window
//                                    tells a screen reader, asked inside its own process (same
//                                    hook): object, role, name, value, state, action, one a
//                                    line; with do-default, its default action done ("done=1")
//   set-display-mode W H [registry]  change the primary display to W x H, as another program or
//                                    the user may while the saver runs (with "registry", also as
//                                    the mode it returns to); print what the system said
//   first-frame PROGRAM X Y TIMEOUT_MS
//                                    start PROGRAM; print milliseconds until the screen pixel
//                                    (X, Y) turns red, as a first frame over red pictures does
//   run PROGRAM [ARGS...]            start PROGRAM, wait for it, print milliseconds until it ended
//   noop                             do nothing (the trivial program for start-up timings)
//   monitors                         print every monitor: "monitor=LEFT,TOP WxH primary=0|1"
//   windows                          print every top-level window that is shown or has a title:
//                                    title, class, place, size, visible and process id (what a
//                                    failed scenario shows to say what was on the desktop)
// Exit code 0 on success, 1 when what was waited for did not happen, 2 on wrong usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "settings/win32/settings_system.h"

namespace {

struct NamedMessage {
  const wchar_t* name;
  UINT message;
};
constexpr NamedMessage kMessages[] = {
    {L"close", WM_CLOSE},
    {L"syscommand", WM_SYSCOMMAND},
    {L"keydown", WM_KEYDOWN},
    {L"keyup", WM_KEYUP},
};

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

struct Search {
  std::wstring title;
  std::wstring className;  // empty: any class
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  if (WindowText(window) == search->title &&
      (search->className.empty() || ClassOf(window) == search->className)) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> TopLevelWindows(const std::wstring& title, const std::wstring& className = {}) {
  Search search{title, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls every 10 ms until `done` holds or the time runs out.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition done) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) {
      return true;
    }
    if (GetTickCount64() >= end) {
      return false;
    }
    Sleep(10);
  }
}

int Find(const std::wstring& title, DWORD timeoutMs) {
  std::vector<HWND> windows;
  if (!WaitFor(timeoutMs, [&] { return !(windows = TopLevelWindows(title)).empty(); })) {
    std::printf("not found\n");
    return 1;
  }
  HWND window = windows.front();
  RECT client{};
  GetClientRect(window, &client);
  RECT frame{};
  GetWindowRect(window, &frame);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  std::printf("count=%zu client=%ldx%ld at=%ld,%ld visible=%d minimized=%d foreground=%d pid=%lu\n",
              windows.size(), client.right - client.left, client.bottom - client.top, frame.left,
              frame.top, IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
              GetForegroundWindow() == window ? 1 : 0, pid);
  return 0;
}

int Gone(const std::wstring& title, DWORD timeoutMs, const std::wstring& className = {}) {
  return WaitFor(timeoutMs, [&] { return TopLevelWindows(title, className).empty(); }) ? 0 : 1;
}

int Post(const std::wstring& title, const std::wstring& messageName, WPARAM wParam, LPARAM lParam) {
  UINT message = static_cast<UINT>(std::wcstoul(messageName.c_str(), nullptr, 0));
  for (const NamedMessage& named : kMessages) {
    if (messageName == named.name) {
      message = named.message;
    }
  }
  std::vector<HWND> windows = TopLevelWindows(title);
  if (windows.empty() || message == 0) {
    std::printf("no window or no message\n");
    return 1;
  }
  return PostMessageW(windows.front(), message, wParam, lParam) ? 0 : 1;
}

// A message box is a dialog of class #32770; its text is the static control 0xFFFF.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring Escaped(const std::wstring& text) {
  std::wstring result;
  for (wchar_t c : text) {
    if (c == L'\n') {
      result += L"\\n";
    } else if (c == L'\r') {
      result += L"\\r";
    } else {
      result += c;
    }
  }
  return result;
}

int Dialogs(const std::wstring& caption) {
  std::vector<HWND> boxes = TopLevelWindows(caption, kDialogClass);
  std::printf("count=%zu\n", boxes.size());
  for (HWND box : boxes) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, kMessageBoxTextId, text, 1024);
    HWND owner = GetWindow(box, GW_OWNER);
    std::printf("text=%s\nowner=%s\n", Utf8FromWide(Escaped(text)).c_str(),
                Utf8FromWide(owner != nullptr ? WindowText(owner) : L"").c_str());
  }
  return boxes.empty() ? 1 : 0;
}

int PressOk(const std::wstring& caption) {
  std::vector<HWND> boxes = TopLevelWindows(caption, kDialogClass);
  if (boxes.empty()) {
    return 1;
  }
  return PostMessageW(boxes.front(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(boxes.front(), IDOK)))
             ? 0
             : 1;
}

int DisplayMode() {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
    return 1;
  }
  std::printf("%lux%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel);
  return 0;
}

// Delivers through e2e-in-process-hook.dll's hook `hookName` the message named by its export
// `messageName`, with `wParam` and `lParam`, to the thread of the window titled `title`; waits
// until the hook has handled it. `hook` is the loaded library, for the caller's other exports.
bool HookDeliver(HMODULE& hook, const std::wstring& title, const char* hookName,
                 const char* messageName, WPARAM wParam, LPARAM lParam) {
  HWND window = FindWindowW(nullptr, title.c_str());
  if (window == nullptr) return false;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring hookPath(path, length);
  hookPath = hookPath.substr(0, hookPath.find_last_of(L'\\') + 1) + L"e2e-in-process-hook.dll";
  if (hook == nullptr) hook = LoadLibraryW(hookPath.c_str());
  const auto procedure =
      hook != nullptr
          ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(hook, hookName)))
          : nullptr;
  const auto* message = hook != nullptr
                            ? reinterpret_cast<const wchar_t*>(GetProcAddress(hook, messageName))
                            : nullptr;
  if (procedure == nullptr || message == nullptr) return false;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, L"MireboraE2eHookDone");
  HHOOK hooked = SetWindowsHookExW(WH_GETMESSAGE, procedure, hook, thread);
  bool delivered = false;
  if (hooked != nullptr && done != nullptr &&
      PostMessageW(window, RegisterWindowMessageW(message), wParam, lParam)) {
    delivered = WaitForSingleObject(done, 10000) == WAIT_OBJECT_0;
  }
  if (hooked != nullptr) UnhookWindowsHookEx(hooked);
  if (done != nullptr) CloseHandle(done);
  return delivered;
}

int DeliverInProcess(const std::wstring& title, const char* hookName, const char* messageName,
                     WPARAM wParam) {
  HMODULE hook = nullptr;
  const bool delivered = HookDeliver(hook, title, hookName, messageName, wParam, 0);
  std::printf("delivered=%d\n", delivered ? 1 : 0);
  return delivered ? 0 : 1;
}

// What the control `id` of the window titled `title` (0: the focused window) tells a screen
// reader, asked inside its own process; with `act`, its default action done too.
int Accessible(const std::wstring& title, int id, bool act) {
  HMODULE hook = LoadLibraryW(L"e2e-in-process-hook.dll");
  const auto* name =
      hook != nullptr ? reinterpret_cast<const wchar_t*>(GetProcAddress(hook, "kAccessibleAnswer"))
                      : nullptr;
  const auto* bytes =
      hook != nullptr
          ? reinterpret_cast<const DWORD*>(GetProcAddress(hook, "kAccessibleAnswerBytes"))
          : nullptr;
  if (name == nullptr || bytes == nullptr) return 1;
  HANDLE shared =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, *bytes, name);
  auto* view = shared != nullptr
                   ? static_cast<wchar_t*>(MapViewOfFile(shared, FILE_MAP_READ, 0, 0, *bytes))
                   : nullptr;
  const bool delivered =
      view != nullptr && HookDeliver(hook, title, "AccessibleHook", "kAccessibleMessage",
                                     static_cast<WPARAM>(id), act ? 1 : 0);
  if (delivered) std::printf("%s", Utf8FromWide(view).c_str());
  if (view != nullptr) UnmapViewOfFile(view);
  if (shared != nullptr) CloseHandle(shared);
  return delivered ? 0 : 1;
}

int SetDisplayMode(DWORD width, DWORD height, bool registry) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  const LONG result =
      ChangeDisplaySettingsExW(nullptr, &mode, nullptr, registry ? CDS_UPDATEREGISTRY : 0, nullptr);
  std::printf("result=%ld\n", result);
  return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

// Starts a program with the null device as its standard handles, so that it does not hold the
// probe's output open after the probe has ended.
bool Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
           PROCESS_INFORMATION* process) {
  std::wstring commandLine = L"\"" + program + L"\"";
  for (const std::wstring& argument : arguments) {
    commandLine += L" " + argument;
  }
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE null =
      CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  &inheritable, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null;
  startup.hStdOutput = null;
  startup.hStdError = null;
  const bool started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, process) != FALSE;
  if (null != INVALID_HANDLE_VALUE) {
    CloseHandle(null);
  }
  return started;
}

double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

bool PixelIsRed(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour != CLR_INVALID && GetRValue(colour) > 200 && GetGValue(colour) < 60 &&
         GetBValue(colour) < 60;
}

int FirstFrame(const std::wstring& program, int x, int y, DWORD timeoutMs) {
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  PROCESS_INFORMATION process{};
  if (!Start(program, {}, &process)) {
    return 1;
  }
  const bool seen = WaitFor(timeoutMs, [&] { return PixelIsRed(x, y); });
  std::printf("%.1f\n", MillisecondsSince(start));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seen ? 0 : 1;
}

int Run(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  PROCESS_INFORMATION process{};
  if (!Start(program, arguments, &process)) {
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  std::printf("%.1f\n", MillisecondsSince(start));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

int ListMonitors() {
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
          const RECT& r = info.rcMonitor;
          std::printf("monitor=%ld,%ld %ldx%ld primary=%d\n", r.left, r.top, r.right - r.left,
                      r.bottom - r.top, (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
        }
        return TRUE;
      },
      0);
  return 0;
}

int ListWindows() {
  EnumWindows(
      [](HWND window, LPARAM) -> BOOL {
        const std::wstring title = WindowText(window);
        if (title.empty() && !IsWindowVisible(window)) return TRUE;
        RECT frame{};
        GetWindowRect(window, &frame);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        std::printf("title=%s class=%s at=%ld,%ld size=%ldx%ld visible=%d pid=%lu\n",
                    Utf8FromWide(title).c_str(), Utf8FromWide(ClassOf(window)).c_str(), frame.left,
                    frame.top, frame.right - frame.left, frame.bottom - frame.top,
                    IsWindowVisible(window) ? 1 : 0, pid);
        return TRUE;
      },
      0);
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: e2e-probe COMMAND ARGS... (see the source for the commands)\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const auto number = [&](size_t i) { return std::wcstoll(args[i].c_str(), nullptr, 0); };
  if (args.empty()) {
    return Usage();
  }
  const std::wstring& command = args[0];
  const size_t count = args.size();
  if (command == L"find" && count == 3) return Find(args[1], static_cast<DWORD>(number(2)));
  if (command == L"gone" && count == 3) return Gone(args[1], static_cast<DWORD>(number(2)));
  if (command == L"gone" && count == 4)
    return Gone(args[1], static_cast<DWORD>(number(2)), args[3]);
  if (command == L"post" && count == 5)
    return Post(args[1], args[2], static_cast<WPARAM>(number(3)), static_cast<LPARAM>(number(4)));
  if (command == L"dialogs" && count == 2) return Dialogs(args[1]);
  if (command == L"press-ok" && count == 2) return PressOk(args[1]);
  if (command == L"display-mode" && count == 1) return DisplayMode();
  if (command == L"display-state" && count == 3) {
    return DeliverInProcess(args[1], "DisplayStateHook", "kDisplayStateMessage",
                            static_cast<WPARAM>(number(2)));
  }
  if (command == L"density" && count == 3) {
    return DeliverInProcess(args[1], "DensityChangeHook", "kDensityChangeMessage",
                            static_cast<WPARAM>(number(2)));
  }
  if (command == L"accessible" && (count == 3 || (count == 4 && args[3] == L"do-default")))
    return Accessible(args[1], static_cast<int>(number(2)), count == 4);
  if (command == L"set-display-mode" && (count == 3 || (count == 4 && args[3] == L"registry")))
    return SetDisplayMode(static_cast<DWORD>(number(1)), static_cast<DWORD>(number(2)), count == 4);
  if (command == L"first-frame" && count == 5)
    return FirstFrame(args[1], static_cast<int>(number(2)), static_cast<int>(number(3)),
                      static_cast<DWORD>(number(4)));
  if (command == L"run" && count >= 2)
    return Run(args[1], std::vector<std::wstring>(args.begin() + 2, args.end()));
  if (command == L"noop" && count == 1) return 0;
  if (command == L"windows" && count == 1) return ListWindows();
  if (command == L"monitors" && count == 1) return ListMonitors();
  return Usage();
}
