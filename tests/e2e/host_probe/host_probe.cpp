// host-probe.exe: helps the host scenarios from inside Wine.
//
//   window TITLE W H X Y       create a borderless top-level window TITLE, magenta, W x H at
//                              screen (X, Y) (as the Display Properties preview area is, or as
//                              another host's window would be); print "hwnd=N" and run until the
//                              window is closed
//   children TITLE             print one line per child window of the top-level window TITLE:
//                              "title=T x=X y=Y w=W h=H visible=V pid=P" (position in the
//                              parent's client area)
//   message-box CAPTION        print the message box with that caption as
//                              "text=T buttons=B1,B2 icon=0|1" (icon: a picture is shown)
//   resources PATH             print what Windows shows of a screen-saver file: "name=N" (string
//                              1), "icon=WxH" (the first icon group, as the shell loads it),
//                              "version=V" (the file version), "manifest=1" when it has one, and
//                              whether that declares per-monitor DPI awareness
//   lock PATH... SECONDS       open each PATH for reading and writing, shared with nobody (as
//                              another user's saver holds its capture files), print "locked"
//                              once all are open and hold them for SECONDS
//   access PATH                print who may open the file PATH, as the system reports it:
//                              "user=SID" (the user running the probe), "protected=0|1"
//                              (whether the folder's entries are kept out), then one line
//                              "ace=allow|deny|other SID MASK" per entry of its access list
//   start-split PROGRAM ARGS.. start PROGRAM with ARGS and print, in milliseconds from the start,
//                              when the window "Valdorique_Main" appeared (main=), when a
//                              process of the renderer began (renderer-process=), when its
//                              window "Valdorique_VC" appeared (renderer-window=) and when the
//                              screen pixel (512, 384), the ground over a red desktop, turned red
//                              (first-frame=); with a second monitor, also when the middle of
//                              that monitor, red too, turned red again in its own scene's window
//                              "Valdorique_Monitor" (second-first-frame=)
// Exit code 0 on success, 1 when what was waited for did not happen, 2 on wrong usage.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "contract/saver_contract.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr wchar_t kWindowClass[] = L"MireboraProbeWindow";
constexpr DWORD kSplitTimeoutMs = 30000;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int ShowWindowUntilClosed(const std::wstring& title, int width, int height, int x, int y) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ParentProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, kWindowClass, title.c_str(), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                      width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  std::printf("hwnd=%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
  std::fflush(stdout);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;  // direct children only
  wchar_t title[256] = {};
  GetWindowTextW(child, title, 256);
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
  DWORD pid = 0;
  GetWindowThreadProcessId(child, &pid);
  std::printf("title=%s x=%ld y=%ld w=%ld h=%ld visible=%d pid=%lu\n", Utf8FromWide(title).c_str(),
              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
              IsWindowVisible(child) ? 1 : 0, pid);
  return TRUE;
}

int Children(const std::wstring& title) {
  HWND parent = FindWindowW(nullptr, title.c_str());
  if (parent == nullptr) return 1;
  EnumChildWindows(parent, PrintChild, reinterpret_cast<LPARAM>(parent));
  std::fflush(stdout);
  return 0;
}

int Resources(const std::wstring& path) {
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return 1;
  wchar_t name[256] = {};
  LoadStringW(module, 1, name, 256);
  std::printf("name=%s\n", Utf8FromWide(name).c_str());

  int iconWidth = 0, iconHeight = 0;
  HRSRC group = nullptr;
  EnumResourceNamesW(
      module, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR found, LONG_PTR first) -> BOOL {
        *reinterpret_cast<LPCWSTR*>(first) = found;
        return FALSE;  // the first group is the program's icon
      },
      reinterpret_cast<LONG_PTR>(&group));
  if (group != nullptr) {
    HICON icon = static_cast<HICON>(
        LoadImageW(module, reinterpret_cast<LPCWSTR>(group), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon != nullptr && GetIconInfo(icon, &info) &&
        GetObjectW(info.hbmMask, sizeof bitmap, &bitmap)) {
      iconWidth = bitmap.bmWidth;
      iconHeight = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
    }
  }
  std::printf("icon=%dx%d\n", iconWidth, iconHeight);

  HRSRC version = FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION);
  std::wstring fileVersion;
  if (version != nullptr) {
    const void* data = LockResource(LoadResource(module, version));
    const DWORD size = SizeofResource(module, version);
    std::string copy(static_cast<const char*>(data), size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed != nullptr) {
      fileVersion = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                    std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                    std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                    std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    }
  }
  std::printf("version=%s\n", Utf8FromWide(fileVersion).c_str());
  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
  std::string manifestText;
  if (manifest != nullptr) {
    manifestText.assign(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                        SizeofResource(module, manifest));
  }
  std::printf("manifest=%d per-monitor-dpi-aware=%d\n", manifest != nullptr ? 1 : 0,
              manifestText.find(">PerMonitorV2") != std::string::npos ? 1 : 0);
  FreeLibrary(module);
  return 0;
}

int Lock(int count, wchar_t** paths, DWORD seconds) {
  std::vector<HANDLE> files;
  for (int i = 0; i < count; ++i) {
    HANDLE file = CreateFileW(paths[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    files.push_back(file);
  }
  std::printf("locked\n");
  std::fflush(stdout);
  Sleep(seconds * 1000);
  for (HANDLE file : files) CloseHandle(file);
  return 0;
}

std::string SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return "?";
  const std::string utf8 = Utf8FromWide(text);
  LocalFree(text);
  return utf8;
}

std::string ProcessUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "?";
  BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
  DWORD size = 0;
  const bool got = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
  CloseHandle(token);
  return got ? SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid) : "?";
}

int Access(const std::wstring& path) {
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &acl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return 1;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  std::printf("user=%s\nprotected=%d\n", ProcessUserSid().c_str(),
              (control & SE_DACL_PROTECTED) ? 1 : 0);
  for (DWORD i = 0; acl != nullptr && i < acl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(acl, i, &ace)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    const char* kind = header->AceType == ACCESS_ALLOWED_ACE_TYPE  ? "allow"
                       : header->AceType == ACCESS_DENIED_ACE_TYPE ? "deny"
                                                                   : "other";
    // Allowed and denied entries share one layout: header, mask, then the SID.
    auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    std::printf("ace=%s %s %#lx\n", kind, SidText(&entry->SidStart).c_str(),
                static_cast<unsigned long>(entry->Mask));
  }
  LocalFree(descriptor);
  return 0;
}

struct BoxContents {
  std::wstring buttons;
  bool icon = false;
};

BOOL CALLBACK CollectBoxPart(HWND child, LPARAM contents) {
  auto& box = *reinterpret_cast<BoxContents*>(contents);
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) {
    wchar_t text[64] = {};
    GetWindowTextW(child, text, 64);
    if (!box.buttons.empty()) box.buttons += L",";
    box.buttons += text;
  }
  if (_wcsicmp(className, L"Static") == 0 && IsWindowVisible(child) &&
      (style & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0) != 0) {
    box.icon = true;
  }
  return TRUE;
}

// A message box is a dialog of class #32770; its text is the static control 0xFFFF.
int MessageBoxFacts(const std::wstring& caption) {
  HWND box = FindWindowW(L"#32770", caption.c_str());
  if (box == nullptr) return 1;
  wchar_t text[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  BoxContents contents;
  EnumChildWindows(box, CollectBoxPart, reinterpret_cast<LPARAM>(&contents));
  std::printf("text=%s buttons=%s icon=%d\n", Utf8FromWide(text).c_str(),
              Utf8FromWide(contents.buttons).c_str(), contents.icon ? 1 : 0);
  std::fflush(stdout);
  return 0;
}

bool RendererProcessRuns() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = _wcsicmp(entry.szExeFile, kRendererProgramName) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

bool RedAt(POINT point) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour != CLR_INVALID && GetRValue(colour) > 200 && GetGValue(colour) < 60 &&
         GetBValue(colour) < 60;
}

// The middle of the first monitor that is not the primary; false when there is none.
bool SecondMonitorMiddle(POINT& middle) {
  struct Search {
    bool found = false;
    POINT middle{};
  } search;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT rect, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        auto& found = *reinterpret_cast<Search*>(data);
        if (!GetMonitorInfoW(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY)) return TRUE;
        found = {true, {(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2}};
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  middle = search.middle;
  return search.found;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

int StartSplit(int count, wchar_t** args) {
  std::wstring commandLine = L"\"" + std::wstring(args[0]) + L"\"";
  for (int i = 1; i < count; ++i) commandLine += L" " + std::wstring(args[i]);
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(args[0], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  POINT secondMiddle{};
  const bool second = SecondMonitorMiddle(secondMiddle);
  double main = -1, rendererProcess = -1, rendererWindow = -1, firstFrame = -1;
  double secondFirstFrame = -1;
  bool secondCovered = false;  // its window has hidden the red desktop
  while ((firstFrame < 0 || (second && secondFirstFrame < 0)) &&
         MillisecondsSince(start) < kSplitTimeoutMs) {
    if (main < 0 && FindWindowW(nullptr, kSaverWindowTitle)) main = MillisecondsSince(start);
    if (rendererProcess < 0 && RendererProcessRuns()) rendererProcess = MillisecondsSince(start);
    if (rendererWindow < 0 && FindWindowW(nullptr, kRendererWindowTitleWide.data())) {
      rendererWindow = MillisecondsSince(start);
    }
    if (firstFrame < 0 && rendererWindow >= 0 && RedAt({512, 384})) {
      firstFrame = MillisecondsSince(start);
    }
    if (second && secondFirstFrame < 0) {
      HWND window = FindWindowA(nullptr, kMonitorSceneWindowTitle);
      const bool red = RedAt(secondMiddle);
      if (window != nullptr && IsWindowVisible(window) && !red) secondCovered = true;
      if (secondCovered && red) secondFirstFrame = MillisecondsSince(start);
    }
    Sleep(1);
  }
  std::printf("main=%.1f renderer-process=%.1f renderer-window=%.1f first-frame=%.1f", main,
              rendererProcess, rendererWindow, firstFrame);
  if (second) std::printf(" second-first-frame=%.1f", secondFirstFrame);
  std::printf("\n");
  return firstFrame >= 0 && (!second || secondFirstFrame >= 0) ? 0 : 1;
}

}  // namespace

int wmain(int count, wchar_t** args) {
  const std::wstring command = count > 1 ? args[1] : L"";
  auto number = [&](int i) { return std::wcstol(args[i], nullptr, 10); };
  if (command == L"window" && count == 7) {
    return ShowWindowUntilClosed(args[2], number(3), number(4), number(5), number(6));
  }
  if (command == L"children" && count == 3) return Children(args[2]);
  if (command == L"message-box" && count == 3) return MessageBoxFacts(args[2]);
  if (command == L"resources" && count == 3) return Resources(args[2]);
  if (command == L"lock" && count >= 4) return Lock(count - 3, args + 2, DWORD(number(count - 1)));
  if (command == L"access" && count == 3) return Access(args[2]);
  if (command == L"start-split" && count >= 3) return StartSplit(count - 2, args + 2);
  std::fprintf(stderr, "usage: see the top of host_probe.cpp\n");
  return 2;
}
