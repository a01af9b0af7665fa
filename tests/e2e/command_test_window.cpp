// A window with four Command buttons, for the scenarios and for looking at the control.
//
//   command-test-window.exe LOG            show the buttons; append "Click ID" to LOG per Click
//   command-test-window.exe LOG bench N    also repaint button 1 N times, append
//                                          "us_per_paint=X" to LOG and end
//
// The window is a popup at the screen's top left corner, so client and screen coordinates
// agree; the layout below is what the scenarios look at.
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>

#include "controls/win32/command_window.h"

namespace {

constexpr wchar_t kTestClassName[] = L"Mirebora.CommandTestWindow";
constexpr wchar_t kTitle[] = L"Command test window";
constexpr int kWindowWidth = 300;
constexpr int kWindowHeight = 130;
constexpr COLORREF kFace = RGB(236, 233, 216);

struct ButtonLayout {
  int identifier;
  const wchar_t* caption;
  int x, y, width, height;
  bool enabled;
};

constexpr std::array<ButtonLayout, 4> kButtons{{
    {1, L"OK", 20, 20, 81, 25, true},
    {2, L"Cancel", 120, 20, 81, 25, true},
    {3, L"Disabled", 20, 70, 81, 25, false},
    {4, L"Wide button", 120, 70, 160, 40, true},
}};

struct TestWindow {
  std::wstring logPath;
  HBRUSH face = nullptr;
};

TestWindow* TestWindowOf(HWND window) {
  return reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void AppendLine(const std::wstring& path, const std::string& line) {
  FILE* file = _wfopen(path.c_str(), L"ab");
  if (file == nullptr) return;
  std::fputs((line + "\n").c_str(), file);
  std::fclose(file);
}

void OnCommand(const TestWindow& test, WPARAM wParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    AppendLine(test.logPath, "Click " + std::to_string(LOWORD(wParam)));
  }
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  TestWindow* test = TestWindowOf(window);
  switch (message) {
    case WM_COMMAND:
      if (test != nullptr) OnCommand(*test, wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateButtons(HWND parent, HINSTANCE instance) {
  HWND first = nullptr;
  for (const ButtonLayout& layout : kButtons) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (layout.enabled ? 0 : WS_DISABLED);
    HWND button = CreateWindowExW(0, kCommandClassName, layout.caption, style, layout.x, layout.y,
                                  layout.width, layout.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.identifier)),
                                  instance, nullptr);
    if (button == nullptr) return nullptr;
    SendMessageW(button, kCommandInitializeMessage, 0, 0);
    if (first == nullptr) first = button;
  }
  return first;
}

void Benchmark(const TestWindow& test, HWND button, int paints) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < paints; ++i) RepaintCommandNow(button);
  QueryPerformanceCounter(&end);
  constexpr double kMicrosecondsPerSecond = 1e6;
  const double us = static_cast<double>(end.QuadPart - start.QuadPart) * kMicrosecondsPerSecond /
                    static_cast<double>(frequency.QuadPart) / paints;
  char line[64];
  std::snprintf(line, sizeof line, "us_per_paint=%.1f paints=%d", us, paints);
  AppendLine(test.logPath, line);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  constexpr int kPlainArguments = 2;
  constexpr int kBenchArguments = 4;
  if (argc != kPlainArguments && !(argc == kBenchArguments && std::wstring(argv[2]) == L"bench")) {
    std::fputs("usage: command-test-window LOG [bench N]\n", stderr);
    return 2;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  TestWindow test;
  test.logPath = argv[1];
  test.face = CreateSolidBrush(kFace);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = test.face;
  windowClass.lpszClassName = kTestClassName;
  if (!RegisterCommandClass(instance) || RegisterClassW(&windowClass) == 0) return 1;
  HWND window = CreateWindowExW(0, kTestClassName, kTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                                kWindowWidth, kWindowHeight, nullptr, nullptr, instance, &test);
  if (window == nullptr) return 1;
  HWND first = CreateButtons(window, instance);
  if (first == nullptr) return 1;
  UpdateWindow(window);
  if (argc == kBenchArguments) {
    Benchmark(test, first, _wtoi(argv[3]));
    DestroyWindow(window);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(test.face);
  return 0;
}
