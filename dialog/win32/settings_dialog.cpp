#include "dialog/win32/settings_dialog.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "contract/saver_contract.h"
#include "controls/win32/command_window.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_rules.h"
#include "dialog/win32/dialog_pieces.h"
#include "dialog/win32/dialog_window.h"
#include "dialog_artwork.h"
#include "settings/win32/settings_system.h"

namespace {

// A fixed frame with a caption, the window icon and the close box.
constexpr DWORD kDialogStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = 0;

// Set's message when neither the program folder nor the user's own folder took the settings.
constexpr wchar_t kSaveFailedMessage[] =
    L"設定を保存できませんでした！\nﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞにもﾕｰｻﾞｰのﾌｫﾙﾀﾞにも書き込めません。";

// The file chooser's name buffers, in characters, their terminating NUL included: room for the
// longest path Windows holds.
constexpr DWORD kChooserBufferChars = 32768;

SettingsDialog* DialogOf(HWND window) {
  return reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Shows the choice: the selected image, and which of the repeat box and the file button work.
// What the choice enables is enabled first and a control that stays enabled is left alone, so
// that a focused control being disabled can hand the focus on, and the focus is never lost.
void ShowMusicChoice(const SettingsDialog& dialog, const MusicChoice& choice) {
  if (choice.repeatEnabled) EnableWindow(dialog.repeatTrack, TRUE);
  if (choice.fileEnabled) EnableWindow(dialog.fileButton, TRUE);
  if (!choice.fileEnabled) DisableKeepingFocus(dialog, dialog.fileButton);
  if (!choice.repeatEnabled) DisableKeepingFocus(dialog, dialog.repeatTrack);
  for (int i = 0; i < kChoiceCount; ++i) {
    const bool selected = choice.selected == i;
    SendMessageW(dialog.choiceImages[static_cast<size_t>(i)], kPieceSetImageMessage,
                 reinterpret_cast<WPARAM>(selected ? dialog.radioOn : dialog.radioOff), 0);
    SendMessageW(dialog.choiceLabels[static_cast<size_t>(i)], kPieceSetCheckedMessage,
                 selected ? TRUE : FALSE, 0);
  }
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

// A choice pressed or reached with the arrows; a focus on the choices follows the choice.
void OnSelectMusicKind(SettingsDialog& dialog, int index) {
  const bool focusOnChoices = FocusedChoice(dialog).has_value();
  ShowMusicChoice(dialog, SelectMusicKind(dialog.settings, static_cast<int16_t>(index)));
  if (focusOnChoices) FocusChoice(dialog, ChoiceTabStop(dialog.settings.bgmKind));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// After a modal window of the dialog closed, the control under a resting pointer is told that the
// pointer is over it, as the system tells its own controls when a window that covered them goes:
// a Command button takes its hover look back without waiting for the pointer to move. Some
// systems (Wine among them) do not always tell, as the dialog is enabled again only as the
// modal window goes.
void ReportRestingPointer(const SettingsDialog& dialog) {
  POINT at{};
  if (!GetCursorPos(&at)) return;
  HWND under = WindowFromPoint(at);
  if (under == nullptr || (under != dialog.window && !IsChild(dialog.window, under))) return;
  ScreenToClient(under, &at);
  PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
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
  const bool chose = GetOpenFileNameW(&chooser) != FALSE;
  ReportRestingPointer(dialog);
  if (!chose) return;
  const std::wstring chosen(fileBuffer.c_str());
  TakeChosenFile(dialog.settings, Utf8FromWide(chosen));
  SetWindowTextW(dialog.fileName, chosen.c_str());
}

void OnSet(SettingsDialog& dialog) {
  dialog.settings.bgmRepeatTrack =
      RepeatTrackFromText(Utf8FromWide(WindowText(dialog.repeatTrack)));
  if (dialog.file.SaveSettings(dialog.settings) == SavedTo::Nowhere) {
    MessageBoxW(dialog.window, kSaveFailedMessage, kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    ReportRestingPointer(dialog);
    return;
  }
  Unload(dialog);
}

// The user guide in the folder of the program that shows the dialog.
std::wstring GuidePathBeside(HINSTANCE instance) {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(instance, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return {};
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);
  }
  return Wide(GuidePath(FolderOfPath(Utf8FromWide(program))));
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

// Tab, Enter, Escape and the arrows over the choices, before the focused control sees them.
// True when the key has been handled.
bool OnDialogKey(SettingsDialog& dialog, const MSG& message) {
  const DialogKeyAction action = KeyActionOf(dialog, message);
  switch (action) {
    case DialogKeyAction::None:
      return false;
    case DialogKeyAction::NextStop:
    case DialogKeyAction::PreviousStop:
      MoveFocusAlongTabOrder(dialog, action == DialogKeyAction::NextStop ? +1 : -1);
      return true;
    case DialogKeyAction::Set:
      OnSet(dialog);
      return true;
    case DialogKeyAction::PressFocused:
      SendMessageW(GetFocus(), BM_CLICK, 0, 0);
      return true;
    case DialogKeyAction::Cancel:
      Unload(dialog);
      return true;
    case DialogKeyAction::NextChoice:
    case DialogKeyAction::PreviousChoice: {
      const int from = FocusedChoice(dialog).value_or(ChoiceTabStop(dialog.settings.bgmKind));
      OnSelectMusicKind(dialog, ChoiceAfter(from, action == DialogKeyAction::NextChoice ? +1 : -1));
      return true;
    }
  }
  return false;
}

// Activated again, the dialog gives the focus back to its control rather than keep it itself.
void OnActivate(const SettingsDialog& dialog, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus(dialog);
}

// The display's density changed (the dialog moved to another monitor, the scaling was changed):
// the layout at the new density, in the window rectangle the system suggests for it.
void OnDpiChanged(SettingsDialog& dialog, WPARAM wParam, LPARAM lParam) {
  const int dotsPerInch = HIWORD(wParam);
  if (dotsPerInch <= 0 || lParam == 0) return;
  ScaleToDensity(dialog, dotsPerInch);
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(dialog.window, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
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
    case WM_ACTIVATE:
      OnActivate(*dialog, wParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(*dialog, wParam, lParam);
      return 0;
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
  windowClass.lpszClassName = kSettingsDialogClass;
  return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The window, sized for its client area and placed as Form_Load places it; not yet shown.
HWND CreateDialogWindow(SettingsDialog& dialog) {
  RECT frame{0, 0, dialog.scale.ClientWidth(), dialog.scale.ClientHeight()};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const DialogPlacement place =
      PlaceDialog(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height);
  return CreateWindowExW(kDialogExStyle, kSettingsDialogClass, kSettingsDialogTitle, kDialogStyle,
                         place.left, place.top, width, height, nullptr, nullptr, dialog.instance,
                         &dialog);
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
    if (!OnDialogKey(dialog, message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!dialog.closed) NoteFocus(dialog);
  }
}

}  // namespace

void ShowSettingsDialog(HINSTANCE instance, SettingsRecord& settings, SettingsFile& file) {
  if (!RegisterDialogClass(instance) || !RegisterDialogPieceClasses(instance) ||
      !RegisterCommandClass(instance)) {
    return;
  }
  // COM on the dialog's thread, in a single-threaded apartment: the controls' answers to screen
  // readers are marshalled through it, and the file chooser and the shell expect it.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  struct ComScope {
    bool initialised;
    ~ComScope() {
      if (initialised) CoUninitialize();
    }
  } comScope{SUCCEEDED(com)};
  SettingsDialog dialog(instance, settings, file);
  dialog.guidePath = GuidePathBeside(instance);
  LoadDialogArtwork(dialog);
  if (CreateDialogWindow(dialog) == nullptr) return;
  SetWindowIcons(dialog);
  CreateControls(dialog);
  OnLoad(dialog);
  ShowWindow(dialog.window, SW_SHOWNORMAL);
  SetForegroundWindow(dialog.window);
  // The focus starts on the chosen music choice (the group's stop), where its mark shows.
  FocusChoice(dialog, ChoiceTabStop(dialog.settings.bgmKind));
  RunModal(dialog);
}
