#include "controls/win32/command_window.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

#include "command_images.h"
#include "controls/command_geometry.h"
#include "controls/command_properties.h"
#include "controls/command_state.h"

namespace {

constexpr UINT_PTR kMousePollTimer = 1;
constexpr WORD kArrowCursor = 32512;  // the system's standard arrow
constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;
constexpr float kCaptionHeightTwips = 195;  // one line of the caption label

// The surface is cleared to the dialog face.
constexpr COLORREF kBackground = RGB(236, 233, 216);

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

// One Command button: its window, GDI objects and the portable core.
struct CommandWindow {
  explicit CommandWindow(CaptionFont designFont) : properties(std::move(designFont)) {}
  ~CommandWindow() {
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
  CommandWindow(const CommandWindow&) = delete;
  CommandWindow& operator=(const CommandWindow&) = delete;

  HWND window = nullptr;
  HWND parent = nullptr;
  std::array<HBITMAP, 6> images{};
  HDC imageDc = nullptr;
  // The retained drawing surface: paints go here and WM_PAINT shows it.
  HDC surfaceDc = nullptr;
  HBITMAP surface = nullptr;
  HGDIOBJ surfaceOriginal = nullptr;
  int surfaceWidth = 0, surfaceHeight = 0;
  HFONT font = nullptr;
  int twipsPerPixelX = kTwipsPerPixelAt96Dpi, twipsPerPixelY = kTwipsPerPixelAt96Dpi;
  PixelRect caption;
  CommandBehaviour behaviour;
  CommandProperties properties;
  CommandPaintState paint;
};

CommandWindow* CommandOf(HWND window) {
  return reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
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

// The caption label's font: its face name at its size, at the screen's density.
void MakeFont(CommandWindow& command, HDC screen) {
  if (command.font != nullptr) DeleteObject(command.font);
  const CaptionFont& font = command.properties.Font();
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  const int height = -MulDiv(static_cast<int>(font.size + 0.5f), pixelsPerInch, kPointsPerInch);
  command.font = CreateFontW(height, 0, 0, 0, font.weight != 0 ? font.weight : FW_NORMAL,
                             font.italic, font.underline, font.strikethrough, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, Wide(font.faceName).c_str());
}

// A surface bitmap of the client area's size, kept between paints.
void SizeSurface(CommandWindow& command) {
  RECT client{};
  GetClientRect(command.window, &client);
  const int width = client.right, height = client.bottom;
  if (command.surface != nullptr && width == command.surfaceWidth &&
      height == command.surfaceHeight) {
    return;
  }
  HDC screen = GetDC(command.window);
  HBITMAP surface = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
  ReleaseDC(command.window, screen);
  if (surface == nullptr) return;
  SelectObject(command.surfaceDc, surface);
  if (command.surface != nullptr) DeleteObject(command.surface);
  command.surface = surface;
  command.surfaceWidth = width;
  command.surfaceHeight = height;
}

// DrawButton: clear, gradient, the eight pieces, refresh, then the caption moves.
void DrawButtonOn(CommandWindow& command, StateImage image) {
  SizeSurface(command);
  CommandSurface size;
  size.widthTwips = static_cast<float>(command.surfaceWidth * command.twipsPerPixelX);
  size.heightTwips = static_cast<float>(command.surfaceHeight * command.twipsPerPixelY);
  size.twipsPerPixelX = command.twipsPerPixelX;
  size.twipsPerPixelY = command.twipsPerPixelY;
  size.captionHeightTwips = kCaptionHeightTwips;
  const DrawPlan plan =
      DrawButton(image, command.behaviour.buttonState(), size, command.paint);

  HDC dc = command.surfaceDc;
  const RECT all{0, 0, command.surfaceWidth, command.surfaceHeight};
  SetBkColor(dc, kBackground);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);

  std::array<TRIVERTEX, 2> vertices{};
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const GradientVertex& from = plan.gradient[i];
    vertices[i] = {from.x, from.y, from.red, from.green, from.blue, from.alpha};
  }
  GRADIENT_RECT rectangle{0, 1};
  GradientFill(dc, vertices.data(), static_cast<ULONG>(vertices.size()), &rectangle, 1,
               GRADIENT_FILL_RECT_V);

  SelectObject(command.imageDc, command.images[static_cast<std::size_t>(plan.image)]);
  SetStretchBltMode(dc, COLORONCOLOR);
  for (const FramePiece& piece : plan.pieces) {
    const PixelRect& s = piece.source;
    const PixelRect& d = piece.destination;
    if (piece.Stretched()) {
      StretchBlt(dc, d.x, d.y, d.width, d.height, command.imageDc, s.x, s.y, s.width, s.height,
                 SRCCOPY);
    } else {
      BitBlt(dc, d.x, d.y, d.width, d.height, command.imageDc, s.x, s.y, SRCCOPY);
    }
  }
  command.caption = plan.caption;
  InvalidateRect(command.window, nullptr, FALSE);
}

// What the state machine asks for, in its order: capture, paint, release, Click.
void Perform(CommandWindow& command, const CommandReaction& reaction) {
  if (reaction.captureMouse) SetCapture(command.window);
  if (reaction.paint) DrawButtonOn(command, *reaction.paint);
  if (reaction.releaseMouse && GetCapture() == command.window) ReleaseCapture();
  if (reaction.startMousePoll) SetTimer(command.window, kMousePollTimer, kMousePollMilliseconds, nullptr);
  if (reaction.raiseClick) {
    const int identifier = GetDlgCtrlID(command.window);
    SendMessageW(command.parent, WM_COMMAND, MAKEWPARAM(identifier, BN_CLICKED),
                 reinterpret_cast<LPARAM>(command.window));
  }
}

void Perform(CommandWindow& command, const PropertyEffect& effect) {
  if (effect.paint) DrawButtonOn(command, *effect.paint);
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
  command->twipsPerPixelX = kTwipsPerInch / GetDeviceCaps(screen, LOGPIXELSX);
  command->twipsPerPixelY = kTwipsPerInch / GetDeviceCaps(screen, LOGPIXELSY);
  MakeFont(*command, screen);
  ReleaseDC(window, screen);
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

void OnCreate(CommandWindow& command) {
  Perform(command, command.properties.SetEnabled(IsWindowEnabled(command.window) != FALSE));
}

void OnPaint(CommandWindow& command) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(command.window, &ps);
  BitBlt(dc, 0, 0, command.surfaceWidth, command.surfaceHeight, command.surfaceDc, 0, 0, SRCCOPY);
  const CaptionLabel& label = command.properties.caption();
  const std::wstring text = Wide(label.text);
  RECT place{command.caption.x, command.caption.y, command.caption.x + command.caption.width,
             command.caption.y + command.caption.height};
  HGDIOBJ previous = SelectObject(dc, command.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, label.enabled ? static_cast<COLORREF>(label.colour) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  SelectObject(dc, previous);
  EndPaint(command.window, &ps);
}

bool Enabled(const CommandWindow& command) { return command.properties.enabledField(); }

void OnMouseButton(CommandWindow& command, std::int16_t button, bool down) {
  if (!down) {
    Perform(command, command.behaviour.MouseUp(Enabled(command), button));
    return;
  }
  // The focus arrives before the press is reported.
  if (Enabled(command) && GetFocus() != command.window) SetFocus(command.window);
  Perform(command, command.behaviour.MouseDown(Enabled(command), button));
}

void OnTimer(CommandWindow& command) {
  POINT cursor{};
  const bool over =
      GetCursorPos(&cursor) != FALSE && WindowFromPoint(cursor) == command.window;
  Perform(command, command.behaviour.MouseTick(Enabled(command), over));
}

void OnInitialize(CommandWindow& command) { Perform(command, command.behaviour.Initialize()); }

void OnEnable(CommandWindow& command, bool enabled) {
  Perform(command, command.properties.SetEnabled(enabled));
}

void OnSize(CommandWindow& command) { Perform(command, command.properties.Resize()); }

void OnMouseMove(CommandWindow& command) {
  Perform(command, command.behaviour.MouseMove(Enabled(command)));
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
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      OnFocus(*command, message == WM_SETFOCUS);
      return 0;
    case WM_TIMER:
      if (wParam == kMousePollTimer) OnTimer(*command);
      return 0;
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

bool RepaintCommandNow(HWND window) {
  wchar_t className[64]{};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  CommandWindow* command = CommandOf(window);
  if (command == nullptr || std::wstring(className) != kCommandClassName) return false;
  Perform(*command, command->properties.Resize());
  UpdateWindow(window);
  return true;
}
