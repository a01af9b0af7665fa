#include "dialog/win32/dialog_pieces.h"

#include <memory>
#include <string>

#include "controls/win32/window_accessible.h"

namespace {

struct Piece {
  PieceLook look;
  bool leftPressed = false;   // a left press began on the piece and has not been released
  bool spacePressed = false;  // Space went down on the focused piece and has not come up
  bool checked = false;       // a choice: the chosen one
};

struct Panel {
  RetainedPicture picture;
};

template <typename T>
T* DataOf(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Notify(HWND piece, WORD code) {
  SendMessageW(GetParent(piece), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(piece), code),
               reinterpret_cast<LPARAM>(piece));
}

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void PaintPiece(HWND window, const Piece& piece) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  // Draw off screen, then show at once: no flicker of the background alone.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(buffer, bitmap);
  SendMessageW(GetParent(window), kPieceBackgroundMessage, reinterpret_cast<WPARAM>(buffer),
               reinterpret_cast<LPARAM>(window));
  if (piece.look.image != nullptr) {
    HDC imageDc = CreateCompatibleDC(dc);
    HGDIOBJ oldImage = SelectObject(imageDc, piece.look.image);
    BITMAP size{};
    GetObjectW(piece.look.image, sizeof(size), &size);
    const int width = piece.look.imageWidth > 0 ? piece.look.imageWidth : size.bmWidth;
    const int height = piece.look.imageHeight > 0 ? piece.look.imageHeight : size.bmHeight;
    SetStretchBltMode(buffer, COLORONCOLOR);
    StretchBlt(buffer, 0, 0, width, height, imageDc, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(imageDc, oldImage);
    DeleteDC(imageDc);
  } else {
    const std::wstring text = TextOf(window);
    HGDIOBJ oldFont = SelectObject(buffer, piece.look.font);
    SetBkMode(buffer, TRANSPARENT);
    SetTextColor(buffer, piece.look.textColour);
    UINT format = DT_NOPREFIX | (piece.look.centred ? DT_CENTER : DT_LEFT);
    format |= piece.look.multiline ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    if (piece.look.pathEllipsis) format |= DT_PATH_ELLIPSIS;
    RECT place = client;
    DrawTextW(buffer, text.c_str(), static_cast<int>(text.size()), &place, format);
    SelectObject(buffer, oldFont);
  }
  if (GetFocus() == window) DrawFocusRect(buffer, &client);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(window, &ps);
}

void OnPieceButtonDown(HWND window, Piece& piece, bool left) {
  if (left) {
    piece.leftPressed = true;
    SetCapture(window);
  }
  Notify(window, kPieceMouseDown);
}

void OnPieceLeftUp(HWND window, Piece& piece, LPARAM lParam) {
  const bool pressed = piece.leftPressed;
  piece.leftPressed = false;
  if (GetCapture() == window) ReleaseCapture();
  RECT client{};
  GetClientRect(window, &client);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (pressed && PtInRect(&client, at)) Notify(window, kPieceClicked);
}

// Space on a pressable piece: its release presses it, unless the focus left in between.
bool OnPieceKey(HWND window, Piece& piece, WPARAM key, bool down) {
  if (!piece.look.pressable || key != VK_SPACE) return false;
  if (down) {
    piece.spacePressed = true;
  } else if (piece.spacePressed) {
    piece.spacePressed = false;
    Notify(window, kPieceClicked);
  }
  return true;
}

class PieceAccessible final : public WindowAccessible {
 public:
  using WindowAccessible::WindowAccessible;

 protected:
  bool Connected() const override {
    return IsWindow(window()) != FALSE && DataOf<Piece>(window()) != nullptr;
  }
  long Role() const override {
    switch (look().role) {
      case PieceRole::Picture:
        return ROLE_SYSTEM_GRAPHIC;
      case PieceRole::Choice:
        return ROLE_SYSTEM_RADIOBUTTON;
      case PieceRole::Link:
        return ROLE_SYSTEM_LINK;
      case PieceRole::Field:
        return ROLE_SYSTEM_TEXT;
      case PieceRole::Text:
        break;
    }
    return ROLE_SYSTEM_STATICTEXT;
  }
  std::wstring Name() const override {
    const PieceRole role = look().role;
    return role == PieceRole::Picture || role == PieceRole::Field ? look().accessibleName
                                                                  : WindowAccessible::Name();
  }
  std::optional<std::wstring> Value() const override {
    if (look().role != PieceRole::Field) return std::nullopt;
    return AccessibleWindowText(window());
  }
  long State() const override {
    long flags = WindowAccessible::State();
    if (look().role == PieceRole::Choice && DataOf<Piece>(window())->checked) {
      flags |= STATE_SYSTEM_CHECKED;
    }
    if (look().role == PieceRole::Link) flags |= STATE_SYSTEM_LINKED;
    if (look().role == PieceRole::Field) flags |= STATE_SYSTEM_READONLY;
    return flags;
  }
  std::optional<std::wstring> DefaultAction() const override {
    if (look().role == PieceRole::Choice) return L"check";
    if (look().role == PieceRole::Link) return L"jump";
    return std::nullopt;
  }
  // Posted, as BM_CLICK is: the client's call returns before the container acts on the click.
  HRESULT DoDefaultAction() override {
    if (IsWindowEnabled(window()) == FALSE) return E_FAIL;
    return PostMessageW(window(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }

 private:
  const PieceLook& look() const { return DataOf<Piece>(window())->look; }
};

LRESULT OnPieceGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  return AnswerWithAccessible(new PieceAccessible(window), wParam);
}

LRESULT OnPieceDialogCode(const Piece& piece) {
  return piece.look.pressable ? DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON : 0;
}

LRESULT CALLBACK PieceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto piece = std::make_unique<Piece>();
    if (create->lpCreateParams != nullptr) {
      piece->look = *static_cast<const PieceLook*>(create->lpCreateParams);
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(piece.release()));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  Piece* piece = DataOf<Piece>(window);
  if (piece == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      delete piece;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      PaintPiece(window, *piece);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      piece->spacePressed = false;
      InvalidateRect(window, nullptr, FALSE);  // the focus mark comes or goes
      return 0;
    case WM_GETDLGCODE:
      return OnPieceDialogCode(*piece);
    case BM_CLICK:
      Notify(window, kPieceMouseDown);
      Notify(window, kPieceClicked);
      return 0;
    case kPieceSetCheckedMessage:
      piece->checked = wParam != FALSE;
      return 0;
    case WM_GETOBJECT:
      return OnPieceGetObject(window, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnPieceKey(window, *piece, wParam, message == WM_KEYDOWN)) return 0;
      break;
    case kPieceSetImageMessage:
      piece->look.image = reinterpret_cast<HBITMAP>(wParam);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case kPieceSetImageSizeMessage:
      piece->look.imageWidth = static_cast<int>(wParam);
      piece->look.imageHeight = static_cast<int>(lParam);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_SETFONT:
      piece->look.font = reinterpret_cast<HFONT>(wParam);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(piece->look.font);
    case WM_SETCURSOR:
      if (piece->look.cursor == nullptr) break;
      SetCursor(piece->look.cursor);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      OnPieceButtonDown(window, *piece, message == WM_LBUTTONDOWN);
      return 0;
    case WM_LBUTTONUP:
      OnPieceLeftUp(window, *piece, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      piece->leftPressed = false;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void PaintPanel(HWND window, const Panel& panel) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window, &ps);
  panel.picture.Show(dc, ps.rcPaint);
  EndPaint(window, &ps);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Panel));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  Panel* panel = DataOf<Panel>(window);
  if (panel == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      return panel->picture.Resize(window, create->cx, create->cy) ? 0 : -1;
    }
    case WM_NCDESTROY:
      panel->picture.Release();
      delete panel;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintPanel(window, *panel);
      return 0;
    case kPieceBackgroundMessage:
      panel->picture.CopyUnder(window, reinterpret_cast<HWND>(lParam),
                               reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SIZE:
      if (LOWORD(lParam) != panel->picture.width || HIWORD(lParam) != panel->picture.height) {
        panel->picture.Resize(window, LOWORD(lParam), HIWORD(lParam));
      }
      return 0;
    case WM_COMMAND:
    case WM_GETFONT:
      return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_LBUTTONDOWN:
      SetFocus(window);  // a picture panel takes the focus when clicked
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterDialogPieceClasses(HINSTANCE instance) {
  const HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  WNDCLASSW piece{};
  piece.lpfnWndProc = PieceProc;
  piece.hInstance = instance;
  piece.hCursor = arrow;
  piece.lpszClassName = kPieceClassName;
  WNDCLASSW panel = piece;
  panel.lpfnWndProc = PanelProc;
  panel.lpszClassName = kPanelClassName;
  const auto registered = [](const WNDCLASSW& windowClass) {
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  };
  return registered(piece) && registered(panel);
}

bool RetainedPicture::Resize(HWND window, int newWidth, int newHeight) {
  Release();
  HDC screen = GetDC(window);
  dc = CreateCompatibleDC(screen);
  bitmap =
      CreateCompatibleBitmap(screen, newWidth > 0 ? newWidth : 1, newHeight > 0 ? newHeight : 1);
  ReleaseDC(window, screen);
  if (dc == nullptr || bitmap == nullptr) {
    Release();
    return false;
  }
  original = SelectObject(dc, bitmap);
  width = newWidth;
  height = newHeight;
  return true;
}

void RetainedPicture::Release() {
  if (dc != nullptr) {
    if (original != nullptr) SelectObject(dc, original);
    DeleteDC(dc);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  *this = RetainedPicture{};
}

void RetainedPicture::CopyUnder(HWND container, HWND piece, HDC target) const {
  if (dc == nullptr) return;
  RECT place{};
  GetWindowRect(piece, &place);
  MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&place), 2);
  BitBlt(target, 0, 0, place.right - place.left, place.bottom - place.top, dc, place.left,
         place.top, SRCCOPY);
}

void RetainedPicture::Show(HDC target, const RECT& area) const {
  if (dc == nullptr) return;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left,
         area.top, SRCCOPY);
}

RetainedPicture* PanelPicture(HWND panel) {
  wchar_t className[64]{};
  GetClassNameW(panel, className, 64);
  if (std::wstring(className) != kPanelClassName) return nullptr;
  Panel* data = DataOf<Panel>(panel);
  return data != nullptr ? &data->picture : nullptr;
}
