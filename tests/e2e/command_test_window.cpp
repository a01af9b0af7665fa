// A window with six Command buttons, for the scenarios and for looking at the control.
//
//   command-test-window.exe LOG            show the buttons; append "Click ID" to LOG per Click
//                                          and "Changed ID PROPERTY" per property change
//   command-test-window.exe LOG bench N    repaint the transparent button 5 N times and
//                                          append "us_per_transparent_paint=X" to LOG, then
//                                          button 1, "us_per_paint=X", and end
//
// Buttons 1 to 4 are created as plain windows, 5 and 6 from stored properties as a container
// does: 5 transparent (Visible 0) over a striped patch of the window, 6 disabled through its
// Enabled property with its window enabled. Messages another program may post to the window:
//
//   kSetVisibleMessage  wParam ID, lParam value: set button ID's Visible
//   kReportMessage      wParam ID: append "Properties ID ..." with its properties as read
//                       through the button, and "Stored ID ..." with what it saves
//   kSetEnabledMessage  wParam ID, lParam 0 or 1: set button ID's Enabled
//   kRenameMessage      wParam ID, lParam colour: caption "Renamed" in that colour
//   kSendMessage        wParam ID, lParam a message without arguments (WM_GETDLGCODE,
//                       BM_CLICK): send it to button ID and append "Answer ID MESSAGE RESULT"
//                       (decimal, the result in hex) once it has returned
//   kAccessibleMessage  wParam ID: ask button ID for its accessible object (WM_GETOBJECT,
//                       OBJID_CLIENT, turned back with ObjectFromLresult) and append
//                       "Accessible ID role=R name=N state=0xS action=A", then have it do its
//                       default action and append "Pressed ID 0xHRESULT"
//
// Button 1 carries BS_DEFPUSHBUTTON: the window's default button.
// The window is a popup at the screen's top left corner, so client and screen coordinates
// agree; the layout below is what the scenarios look at.
#include <windows.h>
// After windows.h.
#include <oleacc.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>

#include "controls/command_property_bag.h"
#include "controls/win32/command_window.h"

namespace {

constexpr wchar_t kTestClassName[] = L"Mirebora.CommandTestWindow";
constexpr wchar_t kTitle[] = L"Command test window";
constexpr int kWindowWidth = 300;
constexpr int kWindowHeight = 200;
constexpr COLORREF kFace = RGB(236, 233, 216);

constexpr UINT kSetVisibleMessage = WM_APP + 1;
constexpr UINT kReportMessage = WM_APP + 2;
constexpr UINT kSetEnabledMessage = WM_APP + 3;
constexpr UINT kRenameMessage = WM_APP + 4;
constexpr UINT kSendMessage = WM_APP + 5;
constexpr UINT kAccessibleMessage = WM_APP + 6;

// The striped patch under button 5: vertical stripes kStripeWidth wide from its left edge,
// the first one kStripeA.
constexpr RECT kStripes{10, 120, 150, 190};
constexpr int kStripeWidth = 6;
constexpr COLORREF kStripeA = RGB(120, 200, 230);
constexpr COLORREF kStripeB = RGB(250, 200, 120);

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

// Buttons loaded from stored properties.
struct StoredButton {
  int identifier;
  int x, y, width, height;
  CommandPropertyBag stored;
};

const std::array<StoredButton, 2> kStoredButtons{{
    {5, 20, 140, 121, 30, {{"Caption", std::string("Clear")}, {"Visible", std::int32_t{0}}}},
    {6, 170, 140, 81, 25, {{"Caption", std::string("Off")}, {"Enabled", false}}},
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

void OnNotify(const TestWindow& test, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != kCommandPropertyChanged) return;
  const auto* change = reinterpret_cast<const CommandPropertyChange*>(lParam);
  AppendLine(test.logPath, "Changed " + std::to_string(header->idFrom) + " " + change->property);
}

void PaintStripes(HDC dc) {
  HBRUSH a = CreateSolidBrush(kStripeA);
  HBRUSH b = CreateSolidBrush(kStripeB);
  for (int x = kStripes.left, i = 0; x < kStripes.right; x += kStripeWidth, ++i) {
    const RECT stripe{x, kStripes.top, x + kStripeWidth, kStripes.bottom};
    FillRect(dc, &stripe, i % 2 == 0 ? a : b);
  }
  DeleteObject(a);
  DeleteObject(b);
}

void OnPaint(HWND window) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window, &ps);
  PaintStripes(dc);
  EndPaint(window, &ps);
}

std::string Describe(const PropertyValue& value) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::get<CaptionFont>(value).faceName;
}

// The properties as the container reads them, then as the button saves them.
void Report(const TestWindow& test, HWND window, int identifier) {
  HWND button = GetDlgItem(window, identifier);
  const auto visible = CommandVisible(button);
  const auto enabled = CommandEnabled(button);
  const auto colour = CommandFontColour(button);
  const auto caption = CommandCaption(button);
  const auto font = CommandFont(button);
  if (!visible || !enabled || !colour || !caption || !font) {
    AppendLine(test.logPath, "Properties " + std::to_string(identifier) + " none");
    return;
  }
  AppendLine(test.logPath,
             "Properties " + std::to_string(identifier) + " Visible=" + std::to_string(*visible) +
                 " Enabled=" + std::to_string(*enabled) + " FontColour=" + std::to_string(*colour) +
                 " Caption=" + *caption + " Font=" + font->faceName);
  CommandPropertyBag saved;
  WriteCommandProperties(button, saved);
  std::string line = "Stored " + std::to_string(identifier);
  for (const auto& [key, value] : saved.values()) line += " " + key + "=" + Describe(value);
  AppendLine(test.logPath, line);
}

void SendAndLog(const TestWindow& test, HWND window, int identifier, LPARAM message) {
  const LRESULT result =
      SendMessageW(GetDlgItem(window, identifier), static_cast<UINT>(message), 0, 0);
  char answer[32];
  std::snprintf(answer, sizeof answer, " 0x%llx", static_cast<unsigned long long>(result));
  AppendLine(test.logPath,
             "Answer " + std::to_string(identifier) + " " + std::to_string(message) + answer);
}

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%lx", value);
  return text;
}

// What a screen reader in this process learns of button `identifier`, and its default action.
void AskAccessible(const TestWindow& test, HWND window, int identifier) {
  HWND button = GetDlgItem(window, identifier);
  const std::string who = " " + std::to_string(identifier) + " ";
  const LRESULT answer =
      SendMessageW(button, WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<LONG>(OBJID_CLIENT)));
  IAccessible* accessible = nullptr;
  const HRESULT got = answer > 0 ? ObjectFromLresult(answer, __uuidof(IAccessible), 0,
                                                     reinterpret_cast<void**>(&accessible))
                                 : E_FAIL;
  if (FAILED(got) || accessible == nullptr) {
    AppendLine(test.logPath, "Accessible" + who + "none " + Hex(static_cast<unsigned long>(got)));
    return;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  BSTR name = nullptr, action = nullptr;
  accessible->get_accRole(self, &role);
  accessible->get_accState(self, &state);
  accessible->get_accName(self, &name);
  accessible->get_accDefaultAction(self, &action);
  const auto utf8 = [](BSTR text) {
    if (text == nullptr) return std::string("(none)");
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
  };
  AppendLine(test.logPath, "Accessible" + who + "role=" + std::to_string(role.lVal) +
                               " name=" + utf8(name) +
                               " state=" + Hex(static_cast<unsigned long>(state.lVal)) +
                               " action=" + utf8(action));
  SysFreeString(name);
  SysFreeString(action);
  const HRESULT pressed = accessible->accDoDefaultAction(self);
  AppendLine(test.logPath, "Pressed" + who + Hex(static_cast<unsigned long>(pressed)));
  accessible->Release();
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
    case WM_NOTIFY:
      if (test != nullptr) OnNotify(*test, lParam);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      PaintStripes(reinterpret_cast<HDC>(wParam));
      return 0;
    case kSetVisibleMessage:
      SetCommandVisible(GetDlgItem(window, static_cast<int>(wParam)),
                        static_cast<std::uint8_t>(lParam));
      return 0;
    case kSetEnabledMessage:
      SetCommandEnabled(GetDlgItem(window, static_cast<int>(wParam)), lParam != 0);
      return 0;
    case kRenameMessage:
      SetCommandCaption(GetDlgItem(window, static_cast<int>(wParam)), "Renamed");
      SetCommandFontColour(GetDlgItem(window, static_cast<int>(wParam)),
                           static_cast<std::uint32_t>(lParam));
      return 0;
    case kReportMessage:
      if (test != nullptr) Report(*test, window, static_cast<int>(wParam));
      return 0;
    case kSendMessage:
      if (test != nullptr) SendAndLog(*test, window, static_cast<int>(wParam), lParam);
      return 0;
    case kAccessibleMessage:
      if (test != nullptr) AskAccessible(*test, window, static_cast<int>(wParam));
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
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (layout.enabled ? 0 : WS_DISABLED) |
                        (layout.identifier == 1 ? BS_DEFPUSHBUTTON : 0);
    HWND button = CreateWindowExW(0, kCommandClassName, layout.caption, style, layout.x, layout.y,
                                  layout.width, layout.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.identifier)),
                                  instance, nullptr);
    if (button == nullptr) return nullptr;
    SendMessageW(button, kCommandInitializeMessage, 0, 0);
    if (first == nullptr) first = button;
  }
  for (const StoredButton& layout : kStoredButtons) {
    HWND button = CreateCommandButton(instance, parent, layout.identifier, layout.x, layout.y,
                                      layout.width, layout.height, layout.stored);
    if (button == nullptr) return nullptr;
    SendMessageW(button, kCommandInitializeMessage, 0, 0);
  }
  return first;
}

void Benchmark(const TestWindow& test, HWND button, int paints, const char* figure) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < paints; ++i) RepaintCommandNow(button);
  QueryPerformanceCounter(&end);
  constexpr double kMicrosecondsPerSecond = 1e6;
  const double us = static_cast<double>(end.QuadPart - start.QuadPart) * kMicrosecondsPerSecond /
                    static_cast<double>(frequency.QuadPart) / paints;
  char line[64];
  std::snprintf(line, sizeof line, "%s=%.1f paints=%d", figure, us, paints);
  AppendLine(test.logPath, line);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  constexpr int kPlainArguments = 2;
  constexpr int kBenchArguments = 4;
  const bool bench = argc == kBenchArguments && std::wstring(argv[2]) == L"bench";
  const int paints = bench ? _wtoi(argv[3]) : 0;
  if (argc != kPlainArguments && !(bench && paints > 0)) {
    std::fputs("usage: command-test-window LOG [bench N]\n", stderr);
    return 2;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // The buttons' accessible objects travel through COM.
  CoInitialize(nullptr);
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
  // The opaque figure last: the benchmark script ends the window once it is written.
  if (bench) {
    Benchmark(test, GetDlgItem(window, kStoredButtons[0].identifier), paints,
              "us_per_transparent_paint");
    Benchmark(test, first, paints, "us_per_paint");
    DestroyWindow(window);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(test.face);
  CoUninitialize();
  return 0;
}
