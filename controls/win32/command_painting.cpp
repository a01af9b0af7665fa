// The Command button's GDI painting: DrawButton onto the retained surface, and WM_PAINT, which
// shows the surface, or the parent's background while transparent, with the caption on top.
#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>

#include "controls/win32/command_window_data.h"

namespace command_shell {
namespace {

constexpr int kPointsPerInch = 72;
constexpr float kCaptionHeightTwips = 195;  // one line of the caption label

// The surface is cleared to the dialog face.
constexpr COLORREF kBackground = RGB(236, 233, 216);

// A caption colour with this bit set names a system colour by its COLOR_* index in the low byte.
constexpr std::uint32_t kSystemColourFlag = 0x80000000;
constexpr std::uint32_t kSystemColourIndexMask = 0xFF;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return pixelsPerInch > 0 ? pixelsPerInch : 96;
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

// The parent paints its client area into `dc` where the button lies, as it would under it.
void PaintParentBackground(const CommandWindow& command, HDC dc) {
  POINT origin{0, 0};
  MapWindowPoints(command.window, command.parent, &origin, 1);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  SendMessageW(command.parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(command.parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
}

COLORREF CaptionColour(const CaptionLabel& label) {
  if (!label.enabled) return GetSysColor(COLOR_GRAYTEXT);
  if ((label.colour & kSystemColourFlag) != 0) {
    return GetSysColor(static_cast<int>(label.colour & kSystemColourIndexMask));
  }
  return static_cast<COLORREF>(label.colour & kRgbMask);
}

}  // namespace

void MakeFont(CommandWindow& command) {
  const CaptionFont& font = command.properties.Font();
  const int height = -FontPixelHeight(font.size, command.pixelsPerInch);
  // A font's own character set (Shift-JIS for a Japanese caption) picks a face that has the
  // caption's characters even where the named face is missing; ANSI leaves the choice free.
  const BYTE charset =
      font.charset != ANSI_CHARSET ? static_cast<BYTE>(font.charset) : DEFAULT_CHARSET;
  HFONT made = CreateFontW(height, 0, 0, 0, font.weight != 0 ? font.weight : FW_NORMAL, font.italic,
                           font.underline, font.strikethrough, charset, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           Wide(font.faceName).c_str());
  if (made == nullptr) return;  // the caption keeps the font it had
  if (command.font != nullptr) DeleteObject(command.font);
  command.font = made;
}

CaptionFont CaptionFontOf(HFONT font) {
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW logical{};
  CaptionFont caption;
  if (font == nullptr || GetObjectW(font, sizeof logical, &logical) == 0) return caption;
  caption.faceName = Utf8(logical.lfFaceName);
  caption.size = static_cast<float>(std::abs(logical.lfHeight)) * kPointsPerInch /
                 static_cast<float>(ScreenPixelsPerInch());
  caption.weight = logical.lfWeight;
  caption.italic = logical.lfItalic != 0;
  caption.underline = logical.lfUnderline != 0;
  caption.strikethrough = logical.lfStrikeOut != 0;
  caption.charset = logical.lfCharSet;
  return caption;
}

void DrawButtonOn(CommandWindow& command, StateImage image) {
  SizeSurface(command);
  CommandSurface size;
  size.widthTwips = static_cast<float>(command.surfaceWidth * command.twipsPerPixelX);
  size.heightTwips = static_cast<float>(command.surfaceHeight * command.twipsPerPixelY);
  size.twipsPerPixelX = command.twipsPerPixelX;
  size.twipsPerPixelY = command.twipsPerPixelY;
  size.captionHeightTwips = kCaptionHeightTwips;
  const DrawPlan plan = DrawButton(image, command.behaviour.buttonState(), size, command.paint);

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

// While transparent, what DrawButton paints stays on the surface unseen; the caption alone
// shows, over whatever the parent paints there.
void OnPaint(CommandWindow& command) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(command.window, &ps);
  if (command.properties.backgroundOpaque()) {
    BitBlt(dc, 0, 0, command.surfaceWidth, command.surfaceHeight, command.surfaceDc, 0, 0, SRCCOPY);
  } else {
    PaintParentBackground(command, dc);
  }
  const CaptionLabel& label = command.properties.caption();
  const std::wstring text = Wide(label.text);
  RECT place{command.caption.x, command.caption.y, command.caption.x + command.caption.width,
             command.caption.y + command.caption.height};
  HGDIOBJ previous = SelectObject(dc, command.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, CaptionColour(label));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  SelectObject(dc, previous);
  EndPaint(command.window, &ps);
}

void Perform(CommandWindow& command, const PropertyEffect& effect) {
  if (effect.paint) DrawButtonOn(command, *effect.paint);
}

}  // namespace command_shell
