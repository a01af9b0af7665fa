// The Command button's window class: creation, the window procedure and the events it hands
// to the state machine.
#include "controls/win32/command_window.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include "command_images.h"
#include "controls/win32/command_window_data.h"

using namespace command_shell;

namespace {

constexpr UINT_PTR kMousePollTimer = 1;
constexpr WORD kArrowCursor = 32512;  // the system's standard arrow
constexpr int kTwipsPerInch = 1440;

// The caption's design font: face and size in points.
constexpr char kDesignFace[] = "Tahoma";
constexpr float kDesignPoints = 8;

// The mouse-button values of the state machine's mouse events.
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;

// The state images' resources, in StateImage order.
constexpr std::array<int, 6> kImageResources{
    IDB_COMMAND_NORMAL,   IDB_COMMAND_HIGHLIGHT,       IDB_COMMAND_PRESSED,
    IDB_COMMAND_SELECTED, IDB_COMMAND_HIGHLIGHTSELECT, IDB_COMMAND_DISABLE,
};

CommandWindow* CommandOf(HWND window) {
  return reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int TwipsPerPixel(int pixelsPerInch) {
  return pixelsPerInch > 0 ? kTwipsPerInch / pixelsPerInch : kTwipsPerPixelAt96Dpi;
}

// What the state machine asks for, in its order: capture, paint, release, Click.
void Perform(CommandWindow& command, const CommandReaction& reaction) {
  if (reaction.captureMouse) SetCapture(command.window);
  if (reaction.paint) DrawButtonOn(command, *reaction.paint);
  if (reaction.releaseMouse && GetCapture() == command.window) ReleaseCapture();
  if (reaction.startMousePoll) {
    SetTimer(command.window, kMousePollTimer, kMousePollMilliseconds, nullptr);
  }
  if (reaction.raiseClick) {
    const int identifier = GetDlgCtrlID(command.window);
    SendMessageW(command.parent, WM_COMMAND, MAKEWPARAM(identifier, BN_CLICKED),
                 reinterpret_cast<LPARAM>(command.window));
  }
}

bool LoadImages(CommandWindow& command, HINSTANCE instance) {
  for (std::size_t i = 0; i < kImageResources.size(); ++i) {
    command.images[i] = static_cast<HBITMAP>(LoadImageW(
        instance, MAKEINTRESOURCEW(kImageResources[i]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (command.images[i] == nullptr) return false;
  }
  return true;
}

LRESULT OnNcCreate(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  CaptionFont design;
  design.faceName = kDesignFace;
  design.size = kDesignPoints;
  auto command = std::make_unique<CommandWindow>(design);
  command->window = window;
  command->parent = create->hwndParent;
  HDC screen = GetDC(window);
  command->imageDc = CreateCompatibleDC(screen);
  command->surfaceDc = CreateCompatibleDC(screen);
  command->twipsPerPixelX = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSX));
  command->twipsPerPixelY = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSY));
  if (const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY); pixelsPerInch > 0) {
    command->pixelsPerInch = pixelsPerInch;
  }
  ReleaseDC(window, screen);
  MakeFont(*command);
  if (command->imageDc == nullptr || command->surfaceDc == nullptr ||
      !LoadImages(*command, create->hInstance)) {
    return FALSE;
  }
  command->surfaceOriginal = GetCurrentObject(command->surfaceDc, OBJ_BITMAP);
  command->properties.SetCaption(Utf8(create->lpszName));
  // The first read of Enabled turns the fresh control into an enabled one.
  command->properties.Enabled();
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(command.release()));
  return DefWindowProcW(window, WM_NCCREATE, 0, lParam);
}

void OnNcDestroy(HWND window) {
  delete CommandOf(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// The window's enabled state at creation is the first Enabled; nothing is announced yet.
void OnCreate(CommandWindow& command) {
  Perform(command, command.properties.SetEnabled(IsWindowEnabled(command.window) != FALSE));
}

bool Enabled(const CommandWindow& command) { return command.properties.enabledField(); }

void OnMouseButton(CommandWindow& command, std::int16_t button, bool down) {
  if (!down) {
    Perform(command, command.behaviour.MouseUp(Enabled(command), button));
    return;
  }
  // A left press gives the focus, which arrives before the press is reported; pressing the
  // other buttons changes nothing.
  if (Enabled(command) && button == kLeftButton && GetFocus() != command.window) {
    SetFocus(command.window);
  }
  Perform(command, command.behaviour.MouseDown(Enabled(command), button));
}

void OnTimer(CommandWindow& command) {
  POINT cursor{};
  const bool over = GetCursorPos(&cursor) != FALSE && WindowFromPoint(cursor) == command.window;
  Perform(command, command.behaviour.MouseTick(Enabled(command), over));
}

void OnInitialize(CommandWindow& command) { Perform(command, command.behaviour.Initialize()); }

// EnableWindow sets the Enabled property: announced, then the enabled or disabled look.
void OnEnable(CommandWindow& command, bool enabled) {
  const PropertyEffect effect = command.properties.SetEnabled(enabled);
  Announce(command, effect.changed);
  Perform(command, effect);
}

// The window text is the caption: the label shows the new text where it is, without a paint.
LRESULT OnSetText(CommandWindow& command, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(command.window, WM_SETTEXT, 0, lParam);
  const PropertyEffect effect =
      command.properties.SetCaption(Utf8(reinterpret_cast<const wchar_t*>(lParam)));
  InvalidateRect(command.window, nullptr, FALSE);
  Announce(command, effect.changed);
  return result;
}

void OnSize(CommandWindow& command) { Perform(command, command.properties.Resize()); }

void OnMouseMove(CommandWindow& command) {
  Perform(command, command.behaviour.MouseMove(Enabled(command)));
}

// Space presses the focused control; other keys go on to the system. The key's repeats arrive
// as further downs, which the state machine ignores.
bool OnKey(CommandWindow& command, WPARAM key, bool down) {
  if (key != VK_SPACE) return false;
  Perform(command, down ? command.behaviour.SpaceDown(Enabled(command))
                        : command.behaviour.SpaceUp(Enabled(command)));
  return true;
}

// The dialog manager's question: a push button, the default one while it has the focus, or while
// its style makes it the container's default and no other Command button has the focus.
LRESULT OnGetDialogCode(const CommandWindow& command) {
  const HWND focus = GetFocus();
  const bool styledDefault = (GetWindowLongW(command.window, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
  const bool isDefault =
      focus == command.window || (styledDefault && CommandWindowOf(focus) == nullptr);
  return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// BM_CLICK (and Enter, through its container): the Click a completed press raises, while the
// control is enabled; the look stays as it is.
void OnClickMessage(CommandWindow& command) {
  CommandReaction click;
  click.raiseClick = Enabled(command) && IsWindowEnabled(command.window);
  Perform(command, click);
}

void OnFocus(CommandWindow& command, bool gained) {
  Perform(command, gained ? command.behaviour.FocusGained(Enabled(command))
                          : command.behaviour.FocusLost(Enabled(command)));
}

LRESULT CALLBACK CommandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return OnNcCreate(window, lParam);
  CommandWindow* command = CommandOf(window);
  if (command == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      OnNcDestroy(window);
      return 0;
    case WM_CREATE:
      OnCreate(*command);
      return 0;
    case kCommandInitializeMessage:
      OnInitialize(*command);
      return 0;
    case WM_ENABLE:
      OnEnable(*command, wParam != FALSE);
      return 0;
    case WM_SETTEXT:
      return OnSetText(*command, lParam);
    case WM_SIZE:
      OnSize(*command);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole surface
    case WM_PAINT:
      OnPaint(*command);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(*command);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnMouseButton(*command, kLeftButton, message == WM_LBUTTONDOWN);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      OnMouseButton(*command, kRightButton, message == WM_RBUTTONDOWN);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      OnMouseButton(*command, kMiddleButton, message == WM_MBUTTONDOWN);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnKey(*command, wParam, message == WM_KEYDOWN)) return 0;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocus(*command, message == WM_SETFOCUS);
      return 0;
    case WM_TIMER:
      if (wParam == kMousePollTimer) OnTimer(*command);
      return 0;
    case WM_GETDLGCODE:
      return OnGetDialogCode(*command);
    case BM_CLICK:
      OnClickMessage(*command);
      return 0;
    case WM_GETOBJECT:
      return AnswerGetObject(window, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterCommandClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CommandWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(kArrowCursor));
  windowClass.lpszClassName = kCommandClassName;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

namespace command_shell {

CommandWindow* CommandWindowOf(HWND window) {
  wchar_t className[64]{};
  if (window == nullptr ||
      GetClassNameW(window, className, static_cast<int>(std::size(className))) == 0 ||
      std::wstring(className) != kCommandClassName) {
    return nullptr;
  }
  return CommandOf(window);
}

CommandWindow::~CommandWindow() {
  if (surfaceDc != nullptr) {
    SelectObject(surfaceDc, surfaceOriginal);
    DeleteDC(surfaceDc);
  }
  if (surface != nullptr) DeleteObject(surface);
  if (imageDc != nullptr) DeleteDC(imageDc);
  for (HBITMAP image : images) {
    if (image != nullptr) DeleteObject(image);
  }
  if (font != nullptr) DeleteObject(font);
}

std::wstring Wide(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
  utf8.pop_back();  // the terminator
  return utf8;
}

void Announce(const CommandWindow& command, const char* property) {
  if (property == nullptr) return;
  CommandPropertyChange change{};
  change.header.hwndFrom = command.window;
  change.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(command.window));
  change.header.code = kCommandPropertyChanged;
  change.property = property;
  SendMessageW(command.parent, WM_NOTIFY, change.header.idFrom, reinterpret_cast<LPARAM>(&change));
}

}  // namespace command_shell

bool SetCommandDensity(HWND button, int dotsPerInch) {
  CommandWindow* command = CommandWindowOf(button);
  if (command == nullptr || dotsPerInch <= 0) return false;
  command->pixelsPerInch = dotsPerInch;
  command->twipsPerPixelX = command->twipsPerPixelY = TwipsPerPixel(dotsPerInch);
  MakeFont(*command);
  Perform(*command, command->properties.Resize());
  InvalidateRect(button, nullptr, FALSE);
  return true;
}

bool RepaintCommandNow(HWND window) {
  CommandWindow* command = CommandWindowOf(window);
  if (command == nullptr) return false;
  Perform(*command, command->properties.Resize());
  UpdateWindow(window);
  return true;
}
