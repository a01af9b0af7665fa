#include "host/win32/preview_window.h"

#include <memory>

#include "contract/saver_contract.h"
#include "saver_pictures.h"

namespace {

// What the preview window owns, bound to it from its creation and freed with it.
struct PreviewWindow {
  PreviewWindow() = default;
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;
  ~PreviewWindow() {
    if (stillPicture != nullptr) DeleteObject(stillPicture);
  }

  HBITMAP stillPicture = nullptr;
};

PreviewWindow* WindowState(HWND window) {
  return reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The window takes over the state ShowPreviewWindow made for it; until then that still owns it,
// so the state is freed whether or not the window came to exist.
void OnNcCreate(HWND window, const CREATESTRUCTW& create) {
  auto* owner = static_cast<std::unique_ptr<PreviewWindow>*>(create.lpCreateParams);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
}

void OnNcDestroy(HWND window) {
  delete WindowState(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// The still picture at its own size at the top left, never stretched; the black window background
// shows where the window is larger.
void PaintStill(HWND window, const PreviewWindow* preview) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  BITMAP size{};
  if (preview != nullptr && preview->stillPicture != nullptr &&
      GetObjectW(preview->stillPicture, sizeof size, &size) != 0) {
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, preview->stillPicture);
    BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      OnNcCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_PAINT:
      PaintStill(window, WindowState(window));
      return 0;
    case WM_DESTROY:
      // Closed by its parent, or destroyed together with it: the host has no window left.
      PostMessageW(window, WM_CLOSE, 0, 0);
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy(window);
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool ShowPreviewWindow(HINSTANCE instance, HWND parent) {
  if (!IsWindow(parent)) return false;

  RECT area{};
  GetWindowRect(parent, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PreviewWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kPreviewWindowClass;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&windowClass);

  auto preview = std::make_unique<PreviewWindow>();
  preview->stillPicture = static_cast<HBITMAP>(LoadImageW(
      instance, MAKEINTRESOURCEW(IDB_PREVIEW_STILL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

  HWND window = CreateWindowExW(0, kPreviewWindowClass, kPreviewWindowTitle, WS_POPUP, 0, 0, width,
                                height, nullptr, nullptr, instance, &preview);
  if (window == nullptr) return false;

  // A top-level window turned into a child of another program's window.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~LONG_PTR{WS_POPUP}) | WS_CHILD);
  SetParent(window, parent);
  MoveWindow(window, 0, 0, width, height, FALSE);
  ShowWindow(window, SW_SHOWNA);
  UpdateWindow(window);
  return true;
}
