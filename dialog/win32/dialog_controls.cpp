// Building the settings dialog: its fonts and pictures, its controls, the tiled panel, the icon
// and the tab order.
#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

#include "controls/command_property_bag.h"
#include "controls/win32/command_window.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_rules.h"
#include "dialog/dialog_scale.h"
#include "dialog/win32/dialog_window.h"
#include "dialog_artwork.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr COLORREF kPanelTextColour = RGB(0, 0, 0);
constexpr COLORREF kFormTextColour = RGB(255, 255, 255);
constexpr COLORREF kFrameColour = RGB(0, 0, 0);
// The combo box's list shows this many entries before it scrolls.
constexpr int kRepeatListRows = 12;

COLORREF ColourOf(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HFONT MakeDialogFont(const DialogScale& scale, bool underline) {
  const int height = -FontPixelHeight(kDialogFontPoints, scale.dotsPerInch());
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, kShiftJisCharset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Wide(kDialogFontFace).c_str());
}

// The size of a one-line text in `font`: a label that fits its text.
SIZE TextSize(HWND window, HFONT font, const std::wstring& text) {
  SIZE size{0, 0};
  HDC dc = GetDC(window);
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  size.cy = std::max<LONG>(size.cy, metrics.tmHeight);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size;
}

HBITMAP LoadBitmapResource(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// A piece's size: the layout's, or where it says kFitsText, its text's in `font` (the link no
// wider than its widest). `control` is the layout row already at the dialog's density.
SIZE PieceSize(const SettingsDialog& dialog, const ControlLayout& control, HWND parent, HFONT font,
               const std::wstring& text) {
  SIZE size{control.width, control.height};
  if (size.cx == kFitsText || size.cy == kFitsText) {
    const SIZE fitted = TextSize(parent, font, text);
    const int widest = dialog.scale.Pixels(kWebLinkMaxWidth);
    const bool link = control.kind == ControlKind::LinkLabel;
    if (size.cx == kFitsText) size.cx = link ? std::min<LONG>(fitted.cx, widest) : fitted.cx;
    if (size.cy == kFitsText) size.cy = fitted.cy;
  }
  return size;
}

CaptionFont ButtonFont() {
  CaptionFont font;
  font.faceName = kDialogFontFace;
  font.size = static_cast<float>(kDialogFontPoints);
  font.weight = FW_NORMAL;
  font.charset = kShiftJisCharset;
  return font;
}

// The design text of the control `id`.
std::wstring LabelText(int id) {
  const ControlLayout* label = FindControl(id);
  return label != nullptr ? Wide(label->text) : std::wstring();
}

// `control` is the layout row already at the display's density.
HWND CreatePiece(SettingsDialog& dialog, const ControlLayout& control, HWND parent) {
  PieceLook look;
  look.font = control.kind == ControlKind::LinkLabel ? dialog.linkFont : dialog.font;
  look.textColour = control.whiteText ? kFormTextColour : kPanelTextColour;
  look.centred = control.align == TextAlign::Centre;
  look.multiline = control.multiline;
  if (control.kind == ControlKind::ChoiceImage) {
    look.image = dialog.radioOff;
    look.imageWidth = look.imageHeight = dialog.scale.Pixels(kRadioImageSize);
    // A radio picture is named by its choice's label.
    look.role = PieceRole::Picture;
    look.accessibleName = LabelText(kChoiceLabel0 + (control.id - kChoiceImage0));
  }
  if (control.kind == ControlKind::ChoiceLabel) look.role = PieceRole::Choice;
  // The file's path is the value of a field named by the choice it belongs to.
  if (control.id == kFileName) {
    look.role = PieceRole::Field;
    look.accessibleName = LabelText(kChoiceLabel0 + MusicFile);
  }
  const bool link = control.kind == ControlKind::LinkLabel;
  if (link) {
    look.cursor = dialog.linkCursor;
    look.pathEllipsis = true;
    look.pressable = true;
    look.role = PieceRole::Link;
  }
  const std::wstring text = link ? dialog.guidePath : Wide(control.text);
  const SIZE size = PieceSize(dialog, control, parent, look.font, text);
  const int width = size.cx, height = size.cy;
  const DWORD style = WS_CHILD | WS_VISIBLE | (control.tabOrder != kNoTabStop ? WS_TABSTOP : 0);
  return CreateWindowExW(0, kPieceClassName, text.c_str(), style, control.left, control.top, width,
                         height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                         dialog.instance, &look);
}

// A Command button loaded from the dialog's design data, its caption in the dialog's font.
HWND CreateButton(const SettingsDialog& dialog, const ControlLayout& control, HWND parent) {
  const CommandPropertyBag stored{{"Caption", std::string(control.text)}};
  HWND button = CreateCommandButton(dialog.instance, parent, control.id, control.left, control.top,
                                    control.width, control.height, stored);
  if (button == nullptr) return nullptr;
  SetCommandFont(button, ButtonFont());
  // 設定 is the button that Enter presses while the focus is on no other button.
  if (control.id == kSetButton) {
    SetWindowLongW(button, GWL_STYLE, GetWindowLongW(button, GWL_STYLE) | BS_DEFPUSHBUTTON);
  }
  return button;
}

HWND CreateControl(SettingsDialog& dialog, const ControlLayout& design) {
  const ControlLayout control = dialog.scale.Scaled(design);
  HWND parent = control.parent == ControlParent::Panel ? dialog.panel : dialog.window;
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  switch (control.kind) {
    case ControlKind::Panel:
      return CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                             control.left, control.top, control.width, control.height, parent, menu,
                             dialog.instance, nullptr);
    case ControlKind::Frame:
      return nullptr;  // drawn into the panel's picture
    case ControlKind::RepeatCombo: {
      HWND combo = CreateWindowExW(
          0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
          control.left, control.top, control.width, control.height * kRepeatListRows, parent, menu,
          dialog.instance, nullptr);
      SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
      NameTrackListForScreenReaders(combo, LabelText(kRepeatLabel));
      return combo;
    }
    case ControlKind::CommandButton:
      return CreateButton(dialog, control, parent);
    default:
      return CreatePiece(dialog, control, parent);
  }
}

}  // namespace

int ScreenDotsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dotsPerInch;
}

std::wstring Wide(const char* utf8) {
  return utf8 != nullptr ? WideFromUtf8(utf8).value_or(std::wstring()) : std::wstring();
}

std::wstring Wide(const std::string& utf8) { return WideFromUtf8(utf8).value_or(std::wstring()); }

void LoadDialogArtwork(SettingsDialog& dialog) {
  dialog.font = MakeDialogFont(dialog.scale, false);
  dialog.linkFont = MakeDialogFont(dialog.scale, true);
  dialog.panelTexture = LoadBitmapResource(dialog.instance, IDB_DIALOG_PANEL);
  dialog.radioOff = LoadBitmapResource(dialog.instance, IDB_DIALOG_RADIO_OFF);
  dialog.radioOn = LoadBitmapResource(dialog.instance, IDB_DIALOG_RADIO_ON);
  dialog.linkCursor = LoadCursorW(dialog.instance, MAKEINTRESOURCEW(IDC_DIALOG_LINK));
}

void CreateControls(SettingsDialog& dialog) {
  for (const ControlLayout& control : kDialogLayout) {
    HWND window = CreateControl(dialog, control);
    if (control.id == kPanel) dialog.panel = window;
    if (control.id == kRepeatTrack) dialog.repeatTrack = window;
    if (control.id == kFileButton) dialog.fileButton = window;
    if (control.id == kFileName) dialog.fileName = window;
    if (control.id >= kChoiceImage0 && control.id < kChoiceImage0 + kChoiceCount) {
      dialog.choiceImages[static_cast<size_t>(control.id - kChoiceImage0)] = window;
    }
    if (control.id >= kChoiceLabel0 && control.id < kChoiceLabel0 + kChoiceCount) {
      dialog.choiceLabels[static_cast<size_t>(control.id - kChoiceLabel0)] = window;
    }
  }
  for (int id : DialogTabOrder()) {
    const ControlLayout* control = FindControl(id);
    HWND parent = control->parent == ControlParent::Panel ? dialog.panel : dialog.window;
    if (HWND window = GetDlgItem(parent, id)) dialog.tabStops.push_back(window);
  }
}

void ScaleToDensity(SettingsDialog& dialog, int dotsPerInch) {
  dialog.scale = DialogScale(dotsPerInch);
  const HFONT oldFont = dialog.font, oldLinkFont = dialog.linkFont;
  dialog.font = MakeDialogFont(dialog.scale, false);
  dialog.linkFont = MakeDialogFont(dialog.scale, true);
  for (const ControlLayout& design : kDialogLayout) {
    if (design.kind == ControlKind::Frame) continue;  // drawn into the panel's picture
    const ControlLayout control = dialog.scale.Scaled(design);
    HWND parent = control.parent == ControlParent::Panel ? dialog.panel : dialog.window;
    HWND window = control.id == kPanel ? dialog.panel : GetDlgItem(parent, control.id);
    if (window == nullptr) continue;
    SIZE size{control.width, control.height};
    switch (control.kind) {
      case ControlKind::Panel:
        break;
      case ControlKind::RepeatCombo:
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
        size.cy = control.height * kRepeatListRows;
        break;
      case ControlKind::CommandButton:
        SetCommandDensity(window, dialog.scale.dotsPerInch());
        break;
      default: {
        const HFONT font = control.kind == ControlKind::LinkLabel ? dialog.linkFont : dialog.font;
        const std::wstring text =
            control.kind == ControlKind::LinkLabel ? dialog.guidePath : Wide(control.text);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == ControlKind::ChoiceImage) {
          const int side = dialog.scale.Pixels(kRadioImageSize);
          SendMessageW(window, kPieceSetImageSizeMessage, static_cast<WPARAM>(side),
                       static_cast<LPARAM>(side));
        }
        size = PieceSize(dialog, control, parent, font, text);
        break;
      }
    }
    SetWindowPos(window, nullptr, control.left, control.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  TilePanelBackground(dialog);
  for (HFONT font : {oldFont, oldLinkFont}) {
    if (font != nullptr) DeleteObject(font);
  }
  RedrawWindow(dialog.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void InitButtons(const SettingsDialog& dialog) {
  for (const ControlLayout& control : kDialogLayout) {
    if (control.kind != ControlKind::CommandButton) continue;
    HWND parent = control.parent == ControlParent::Panel ? dialog.panel : dialog.window;
    if (HWND button = GetDlgItem(parent, control.id)) {
      SendMessageW(button, kCommandInitializeMessage, 0, 0);
    }
  }
}

void TilePanelBackground(const SettingsDialog& dialog) {
  RetainedPicture* picture = PanelPicture(dialog.panel);
  if (picture == nullptr) return;
  HBRUSH fill = CreateSolidBrush(ColourOf(kPanelBackgroundRgb));
  const RECT all{0, 0, picture->width, picture->height};
  FillRect(picture->dc, &all, fill);
  DeleteObject(fill);
  if (dialog.panelTexture != nullptr) {
    HDC texture = CreateCompatibleDC(picture->dc);
    HGDIOBJ previous = SelectObject(texture, dialog.panelTexture);
    // The texture is drawn at the display's density: one tile still spans the whole panel.
    const int tileWidth = dialog.scale.Pixels(kPanelTextureWidth);
    const int tileHeight = dialog.scale.Pixels(kPanelTextureHeight);
    SetStretchBltMode(picture->dc, HALFTONE);
    for (const TilePosition& tile :
         PanelTilePositions(picture->width, picture->height, tileWidth, tileHeight)) {
      StretchBlt(picture->dc, tile.x, tile.y, tileWidth, tileHeight, texture, 0, 0,
                 kPanelTextureWidth, kPanelTextureHeight, SRCCOPY);
    }
    SelectObject(texture, previous);
    DeleteDC(texture);
  }
  if (const ControlLayout* design = FindControl(kBgmFrame)) {
    const ControlLayout frame = dialog.scale.Scaled(*design);
    HBRUSH line = CreateSolidBrush(kFrameColour);
    const RECT box{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
    FrameRect(picture->dc, &box, line);
    DeleteObject(line);
  }
  InvalidateRect(dialog.panel, nullptr, FALSE);
}

// Shared icons: the system frees them with the program.
void SetWindowIcons(const SettingsDialog& dialog) {
  for (const auto& [which, width, height] :
       {std::tuple{ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
        std::tuple{ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}}) {
    HANDLE icon = LoadImageW(dialog.instance, MAKEINTRESOURCEW(IDI_MIREBORA), IMAGE_ICON, width,
                             height, LR_SHARED);
    if (icon != nullptr) {
      SendMessageW(dialog.window, WM_SETICON, static_cast<WPARAM>(which),
                   reinterpret_cast<LPARAM>(icon));
    }
  }
}
