#include "settings/dialog/win32/settings_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "controls/command_property_bag.h"
#include "controls/win32/command_window.h"
#include "dialog_artwork.h"
#include "settings/dialog/dialog_layout.h"
#include "settings/dialog/dialog_rules.h"
#include "settings/dialog/win32/dialog_pieces.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr wchar_t kDialogClassName[] = L"Valdorique_P";
// A fixed frame with a caption, the window icon and the close box.
constexpr DWORD kDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = 0;

constexpr COLORREF kPanelTextColour = RGB(0, 0, 0);
constexpr COLORREF kFormTextColour = RGB(255, 255, 255);
constexpr COLORREF kFrameColour = RGB(0, 0, 0);
constexpr int kPointsPerInch = 72;
// The combo box's list shows this many entries before it scrolls.
constexpr int kRepeatListRows = 12;
// The file chooser's name buffers, in characters, their terminating NUL included.
constexpr DWORD kChooserBufferChars = 255;

constexpr int kChoiceCount = 3;

std::wstring Wide(const char* utf8) {
  return utf8 != nullptr ? WideFromUtf8(utf8).value_or(std::wstring()) : std::wstring();
}

std::wstring Wide(const std::string& utf8) { return WideFromUtf8(utf8).value_or(std::wstring()); }

COLORREF ColourOf(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Everything the dialog window owns, released in one place.
struct SettingsDialog {
  SettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file)
      : instance(instance), settings(settings), file(file) {}
  ~SettingsDialog() {
    background.Release();
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(linkFont),
                           static_cast<HGDIOBJ>(panelTexture), static_cast<HGDIOBJ>(radioOff),
                           static_cast<HGDIOBJ>(radioOn)}) {
      if (object != nullptr) DeleteObject(object);
    }
  }
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  HINSTANCE instance;
  SettingsRecord& settings;
  SettingsFile& file;

  HWND window = nullptr;
  HWND panel = nullptr;
  HWND repeatTrack = nullptr;
  HWND fileButton = nullptr;
  HWND fileName = nullptr;
  std::array<HWND, kChoiceCount> choiceImages{};
  std::vector<HWND> tabStops;  // in tab order

  HFONT font = nullptr;
  HFONT linkFont = nullptr;
  HBITMAP panelTexture = nullptr;
  HBITMAP radioOff = nullptr;
  HBITMAP radioOn = nullptr;
  HCURSOR linkCursor = nullptr;  // a shared resource cursor: not destroyed
  RetainedPicture background;    // the painted band

  POINT cursor{0, 0};  // cursorX, cursorY: where the zooms start and end
  bool closed = false;
};

SettingsDialog* DialogOf(HWND window) {
  return reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HFONT MakeDialogFont(bool underline) {
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int height = -static_cast<int>(kDialogFontPoints * pixelsPerInch / kPointsPerInch + 0.5);
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

HWND CreatePiece(SettingsDialog& dialog, const ControlLayout& control, HWND parent) {
  PieceLook look;
  look.font = control.kind == ControlKind::LinkLabel ? dialog.linkFont : dialog.font;
  look.textColour = control.whiteText ? kFormTextColour : kPanelTextColour;
  look.centred = control.align == TextAlign::Centre;
  look.multiline = control.multiline;
  if (control.kind == ControlKind::ChoiceImage) look.image = dialog.radioOff;
  if (control.kind == ControlKind::LinkLabel) look.cursor = dialog.linkCursor;
  const std::wstring text = Wide(control.text);
  int width = control.width, height = control.height;
  if (width == kFitsText || height == kFitsText) {
    const SIZE size = TextSize(parent, look.font, text);
    if (width == kFitsText) width = size.cx;
    if (height == kFitsText) height = size.cy;
  }
  return CreateWindowExW(0, kPieceClassName, text.c_str(), WS_CHILD | WS_VISIBLE, control.left,
                         control.top, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), dialog.instance,
                         &look);
}

// A Command button loaded from the dialog's design data, its caption in the dialog's font.
HWND CreateButton(const SettingsDialog& dialog, const ControlLayout& control, HWND parent) {
  const CommandPropertyBag stored{{"Caption", std::string(control.text)}};
  HWND button = CreateCommandButton(dialog.instance, parent, control.id, control.left, control.top,
                                    control.width, control.height, stored);
  CaptionFont font;
  font.faceName = kDialogFontFace;
  font.size = static_cast<float>(kDialogFontPoints);
  font.weight = FW_NORMAL;
  font.charset = kShiftJisCharset;
  if (button != nullptr) SetCommandFont(button, font);
  return button;
}

HWND CreateControl(SettingsDialog& dialog, const ControlLayout& control) {
  HWND parent = control.parent == ControlParent::Panel ? dialog.panel : dialog.window;
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id));
  switch (control.kind) {
    case ControlKind::Panel:
      return CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                             control.left, control.top, control.width, control.height, parent,
                             menu, dialog.instance, nullptr);
    case ControlKind::Frame:
      return nullptr;  // drawn into the panel's picture
    case ControlKind::RepeatCombo: {
      HWND combo = CreateWindowExW(
          0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
          control.left, control.top, control.width, control.height * kRepeatListRows, parent,
          menu, dialog.instance, nullptr);
      SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
      return combo;
    }
    case ControlKind::CommandButton:
      return CreateButton(dialog, control, parent);
    default:
      return CreatePiece(dialog, control, parent);
  }
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
  }
  for (int id : DialogTabOrder()) {
    const ControlLayout* control = FindControl(id);
    HWND parent = control->parent == ControlParent::Panel ? dialog.panel : dialog.window;
    if (HWND window = GetDlgItem(parent, id)) dialog.tabStops.push_back(window);
  }
}

// InitButtons: Initialize on every Command button, in the form's control order.
void InitButtons(const SettingsDialog& dialog) {
  for (const ControlLayout& control : kDialogLayout) {
    if (control.kind != ControlKind::CommandButton) continue;
    HWND parent = control.parent == ControlParent::Panel ? dialog.panel : dialog.window;
    if (HWND button = GetDlgItem(parent, control.id)) {
      SendMessageW(button, kCommandInitializeMessage, 0, 0);
    }
  }
}

// TilePanelBackground, then the "BGM" frame over the tiles.
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
    for (const TilePosition& tile : PanelTilePositions(picture->width, picture->height,
                                                       kPanelTextureWidth, kPanelTextureHeight)) {
      BitBlt(picture->dc, tile.x, tile.y, kPanelTextureWidth, kPanelTextureHeight, texture, 0, 0,
             SRCCOPY);
    }
    SelectObject(texture, previous);
    DeleteDC(texture);
  }
  if (const ControlLayout* frame = FindControl(kBgmFrame)) {
    HBRUSH line = CreateSolidBrush(kFrameColour);
    const RECT box{frame->left, frame->top, frame->left + frame->width, frame->top + frame->height};
    FrameRect(picture->dc, &box, line);
    DeleteObject(line);
  }
  InvalidateRect(dialog.panel, nullptr, FALSE);
}

// Shows the choice: the selected image, and which of the repeat box and the file button work.
void ShowMusicChoice(const SettingsDialog& dialog, const MusicChoice& choice) {
  EnableWindow(dialog.fileButton, FALSE);
  EnableWindow(dialog.repeatTrack, FALSE);
  for (int i = 0; i < kChoiceCount; ++i) {
    const bool selected = choice.selected == i;
    SendMessageW(dialog.choiceImages[static_cast<size_t>(i)], kPieceSetImageMessage,
                 reinterpret_cast<WPARAM>(selected ? dialog.radioOn : dialog.radioOff), 0);
  }
  if (choice.repeatEnabled) EnableWindow(dialog.repeatTrack, TRUE);
  if (choice.fileEnabled) EnableWindow(dialog.fileButton, TRUE);
}

void FillRepeatTrack(const SettingsDialog& dialog) {
  SetWindowTextW(dialog.repeatTrack, Wide(FormatTwoHash(dialog.settings.bgmRepeatTrack)).c_str());
  for (const std::string& entry : RepeatTrackEntries()) {
    SendMessageW(dialog.repeatTrack, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  }
}

void Zoom(const SettingsDialog& dialog, bool fromCursor) {
  RECT window{};
  GetWindowRect(dialog.window, &window);
  const RECT point{dialog.cursor.x, dialog.cursor.y, dialog.cursor.x, dialog.cursor.y};
  DrawAnimatedRects(dialog.window, IDANI_CAPTION, fromCursor ? &point : &window,
                    fromCursor ? &window : &point);
}

int16_t Clamp16(LONG value) {
  return static_cast<int16_t>(std::clamp<LONG>(value, INT16_MIN, INT16_MAX));
}

// Form_Load, after the controls exist; the window is placed but not yet shown.
void OnLoad(SettingsDialog& dialog) {
  InitButtons(dialog);
  TilePanelBackground(dialog);
  EnableWindow(dialog.repeatTrack, FALSE);
  ShowMusicChoice(dialog, MusicChoiceOf(dialog.settings.bgmKind));
  FillRepeatTrack(dialog);
  SetWindowTextW(dialog.fileName, Wide(dialog.settings.bgmFile).c_str());
  POINT cursor{};
  if (GetCursorPos(&cursor)) dialog.cursor = {Clamp16(cursor.x), Clamp16(cursor.y)};
  Zoom(dialog, true);
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

// PaintDialogBackground: the band, row by row, into the retained background.
void PaintDialogBackground(SettingsDialog& dialog) {
  RECT client{};
  GetClientRect(dialog.window, &client);
  if (!dialog.background.Resize(dialog.window, client.right, client.bottom)) return;
  HDC dc = dialog.background.dc;
  HGDIOBJ previous = SelectObject(dc, GetStockObject(DC_BRUSH));
  const std::vector<BandColour> rows = DialogBandRows(client.bottom);
  for (size_t y = 0; y < rows.size(); ++y) {
    SetDCBrushColor(dc, RGB(rows[y].red, rows[y].green, rows[y].blue));
    PatBlt(dc, 0, static_cast<int>(y), client.right, 1, PATCOPY);
  }
  SelectObject(dc, previous);
  RedrawWindow(dialog.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Unload(SettingsDialog& dialog) {
  Zoom(dialog, false);
  DestroyWindow(dialog.window);
}

void OnSelectMusicKind(SettingsDialog& dialog, int index) {
  ShowMusicChoice(dialog, SelectMusicKind(dialog.settings, static_cast<int16_t>(index)));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void OnChooseFile(SettingsDialog& dialog) {
  static const wchar_t kFilter[] = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
  std::wstring fileBuffer(kChooserBufferChars, L'\0');
  std::wstring titleBuffer(kChooserBufferChars, L'\0');
  const std::wstring startFolder = Wide(ChooserStartFolder(dialog.settings.fileDialogFolder));
  OPENFILENAMEW chooser{};
  chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  chooser.hwndOwner = dialog.window;
  chooser.hInstance = dialog.instance;
  chooser.lpstrFilter = kFilter;
  chooser.lpstrFile = fileBuffer.data();
  chooser.nMaxFile = kChooserBufferChars;
  chooser.lpstrFileTitle = titleBuffer.data();
  chooser.nMaxFileTitle = kChooserBufferChars;
  chooser.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
  chooser.lpstrTitle = L"ﾌｧｲﾙを開く";
  if (!GetOpenFileNameW(&chooser)) return;
  const std::wstring chosen(fileBuffer.c_str());
  TakeChosenFile(dialog.settings, Utf8FromWide(chosen));
  SetWindowTextW(dialog.fileName, chosen.c_str());
}

void OnSet(SettingsDialog& dialog) {
  dialog.settings.bgmRepeatTrack =
      RepeatTrackFromText(Utf8FromWide(WindowText(dialog.repeatTrack)));
  dialog.file.SaveSettings(dialog.settings);
  Unload(dialog);
}

void OnOpenWebPage(const SettingsDialog& dialog, HWND link) {
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  ShellExecuteW(dialog.window, L"open", WindowText(link).c_str(), L"", L"", SW_SHOWNORMAL);
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

void OnCommand(SettingsDialog& dialog, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  if (code == kPieceMouseDown) {
    if (id >= kChoiceImage0 && id < kChoiceImage0 + kChoiceCount) {
      OnSelectMusicKind(dialog, id - kChoiceImage0);
    } else if (id >= kChoiceLabel0 && id < kChoiceLabel0 + kChoiceCount) {
      OnSelectMusicKind(dialog, id - kChoiceLabel0);
    }
  } else if (code == kPieceClicked && id == kWebLink) {
    OnOpenWebPage(dialog, reinterpret_cast<HWND>(lParam));
  } else if (code == BN_CLICKED) {
    if (id == kFileButton) OnChooseFile(dialog);
    if (id == kSetButton) OnSet(dialog);
    if (id == kCancelButton) Unload(dialog);
  }
}

void OnPaint(const SettingsDialog& dialog) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(dialog.window, &ps);
  dialog.background.Show(dc, ps.rcPaint);
  EndPaint(dialog.window, &ps);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* dialog = static_cast<SettingsDialog*>(create->lpCreateParams);
    dialog->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  SettingsDialog* dialog = DialogOf(window);
  if (dialog == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      PaintDialogBackground(*dialog);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the retained band covers the client area
    case WM_PAINT:
      OnPaint(*dialog);
      return 0;
    case kPieceBackgroundMessage:
      dialog->background.CopyUnder(window, reinterpret_cast<HWND>(lParam),
                                   reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_COMMAND:
      OnCommand(*dialog, wParam, lParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(dialog->font);  // the controls' ambient font
    case WM_CLOSE:
      Unload(*dialog);
      return 0;
    case WM_DESTROY:
      dialog->closed = true;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterDialogClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DialogProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MIREBORA));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kDialogClassName;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The window, sized for its client area and placed as Form_Load places it; not yet shown.
HWND CreateDialogWindow(SettingsDialog& dialog) {
  RECT frame{0, 0, kDialogClientWidth, kDialogClientHeight};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const DialogPlacement place = PlaceDialog(GetSystemMetrics(SM_CXSCREEN),
                                            GetSystemMetrics(SM_CYSCREEN), width, height);
  return CreateWindowExW(kDialogExStyle, kDialogClassName, Wide(kDialogCaption).c_str(),
                         kDialogStyle, place.left, place.top, width, height, nullptr, nullptr,
                         dialog.instance, &dialog);
}

// The window icon at the sizes the caption and the task switcher show. Shared icons: the system
// frees them with the program.
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

// Tab and Shift+Tab move the focus along the tab order, past controls that are disabled.
bool MoveFocusByTab(const SettingsDialog& dialog, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (message.hwnd != dialog.window && !IsChild(dialog.window, message.hwnd)) return false;
  const auto count = static_cast<int>(dialog.tabStops.size());
  if (count == 0) return false;
  HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < count; ++i) {
    HWND stop = dialog.tabStops[static_cast<size_t>(i)];
    if (focus == stop || IsChild(stop, focus)) current = i;
  }
  const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  // Without a focused stop, Tab starts at the first one and Shift+Tab at the last.
  int index = current >= 0 ? current : (step > 0 ? count - 1 : 0);
  for (int tried = 0; tried < count; ++tried) {
    index = (index + step + count) % count;
    HWND stop = dialog.tabStops[static_cast<size_t>(index)];
    if (IsWindowEnabled(stop) && IsWindowVisible(stop)) {
      SetFocus(stop);
      return true;
    }
  }
  return true;
}

void RunModal(SettingsDialog& dialog) {
  MSG message{};
  while (!dialog.closed) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the caller's own loop
      break;
    }
    if (got < 0) break;
    if (MoveFocusByTab(dialog, message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

void ShowSettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file) {
  if (!RegisterDialogClass(instance) || !RegisterDialogPieceClasses(instance) ||
      !RegisterCommandClass(instance)) {
    return;
  }
  SettingsDialog dialog(instance, settings, file);
  dialog.font = MakeDialogFont(false);
  dialog.linkFont = MakeDialogFont(true);
  dialog.panelTexture = LoadBitmapResource(instance, IDB_DIALOG_PANEL);
  dialog.radioOff = LoadBitmapResource(instance, IDB_DIALOG_RADIO_OFF);
  dialog.radioOn = LoadBitmapResource(instance, IDB_DIALOG_RADIO_ON);
  dialog.linkCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_DIALOG_LINK));
  if (CreateDialogWindow(dialog) == nullptr) return;
  SetWindowIcons(dialog);
  CreateControls(dialog);
  OnLoad(dialog);
  ShowWindow(dialog.window, SW_SHOWNORMAL);
  SetForegroundWindow(dialog.window);
  if (!dialog.tabStops.empty()) SetFocus(dialog.tabStops.front());
  RunModal(dialog);
}
