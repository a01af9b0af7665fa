// dialog-probe.exe: looks at the settings dialog "<ミレボラ>" and its file chooser from inside
// Wine, as another program on the same desktop would.
//
//   controls TITLE            the window's client size and screen origin, its frame's size and
//                             place, then one line per child window: identifier, class, place
//                             in client coordinates, enabled, visible, text
//   combo TITLE ID            the combo box's text and its list entries
//   focus TITLE               the identifier of the focused control
//   object TITLE ID           whether the control ID answers WM_GETOBJECT (OBJID_CLIENT) with an
//                             object: from another process only the answer's sign shows
//   front TITLE               whether the window is the foreground window, minimised, and
//                             shown above the other windows at its middle
//   resources MODULE          the window icon and the link cursor the program carries: sizes,
//                             colour or monochrome, hot spot, and the icon's colour depth
//   chooser TITLE             the file chooser: its owner, the folder and the file type it
//                             shows, and the file name
//   choose TITLE NAME         types NAME as the chooser's file name and presses its Open button
//   press TITLE ID            presses the dialog's push button ID (1 Open or OK, 2 Cancel)
// Texts are printed as UTF-8, lines end in LF. Exit code 0 on success, 1 when the window is
// missing, 2 on wrong usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "dialog_artwork.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMissing = 1;
constexpr int kExitUsage = 2;

// The file chooser's folder list and file name box (their identifiers in the common dialog).
constexpr int kChooserFilterList = 0x470;  // cmb1
constexpr int kChooserFolderList = 0x471;  // cmb2
constexpr int kChooserNameCombo = 0x47c;   // cmb13
constexpr int kChooserNameEdit = 0x480;    // edt1

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

// The text of a window of another process: GetWindowTextW would read only the window's own
// caption, not what a combo box or an edit field shows.
std::wstring ShownText(HWND window) {
  wchar_t buffer[1024] = {};
  if (window != nullptr) {
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  }
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

// The visible top-level window with that title; polls for up to two seconds.
HWND FindTop(const std::wstring& title) {
  for (int i = 0; i < 200; ++i) {
    struct Search {
      const std::wstring* title;
      HWND found;
    } search{&title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
          auto* s = reinterpret_cast<Search*>(parameter);
          if (IsWindowVisible(window) && TextOf(window) == *s->title) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(10);
  }
  return nullptr;
}

void PrintLine(const std::string& line) { std::printf("%s\n", line.c_str()); }

int Controls(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  RECT frame{};
  GetWindowRect(dialog, &frame);
  std::printf("client=%ldx%ld origin=%ld,%ld frame=%ldx%ld at=%ld,%ld\n", client.right,
              client.bottom, origin.x, origin.y, frame.right - frame.left, frame.bottom - frame.top,
              frame.left, frame.top);
  std::vector<HWND> children;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM parameter) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    std::printf("id=%d class=%s at=%ld,%ld size=%ldx%ld enabled=%d visible=%d text=%s\n",
                GetDlgCtrlID(child), Utf8FromWide(ClassOf(child)).c_str(), place.left, place.top,
                place.right - place.left, place.bottom - place.top, IsWindowEnabled(child) ? 1 : 0,
                IsWindowVisible(child) ? 1 : 0, Utf8FromWide(ShownText(child)).c_str());
  }
  return kExitOk;
}

HWND FindDescendant(HWND dialog, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        if (GetDlgCtrlID(child) == s->id && s->found == nullptr) s->found = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Combo(HWND dialog, int id) {
  HWND combo = FindDescendant(dialog, id);
  if (combo == nullptr) return kExitMissing;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  std::printf("text=%s\ncount=%ld\n", Utf8FromWide(ShownText(combo)).c_str(),
              static_cast<long>(count));
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length >= 0 && length < 256) {
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    }
    std::printf("item=%s\n", Utf8FromWide(item).c_str());
  }
  return kExitOk;
}

int Focus(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return kExitMissing;
  HWND focus = info.hwndFocus;
  // The combo box's edit field stands for the combo box.
  if (focus != nullptr && ClassOf(focus) == L"Edit" && ClassOf(GetParent(focus)) == L"ComboBox") {
    focus = GetParent(focus);
  }
  std::printf("focus=%d\n", focus != nullptr ? GetDlgCtrlID(focus) : 0);
  return kExitOk;
}

// The icon and the link cursor as the program module carries them.
int Resources(const std::wstring& module) {
  HMODULE data = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (data == nullptr) return kExitMissing;
  HICON icon = static_cast<HICON>(
      LoadImageW(data, MAKEINTRESOURCEW(IDI_MIREBORA), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  HCURSOR cursor = static_cast<HCURSOR>(
      LoadImageW(data, MAKEINTRESOURCEW(IDC_DIALOG_LINK), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  for (const auto& [what, image] : {std::pair{"icon", icon}, std::pair{"cursor", cursor}}) {
    ICONINFO info{};
    BITMAP mask{};
    if (image == nullptr || !GetIconInfo(image, &info)) {
      std::printf("%s=none\n", what);
      continue;
    }
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    // A monochrome image keeps its colour below its mask: half the mask's height.
    const LONG height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
    std::printf("%s=%ldx%ld colour=%d hotspot=%lu,%lu\n", what, mask.bmWidth, height,
                info.hbmColor != nullptr ? 1 : 0, info.xHotspot, info.yHotspot);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  // The icon's group resource names its colour depth.
  if (HRSRC group = FindResourceW(data, MAKEINTRESOURCEW(IDI_MIREBORA), RT_GROUP_ICON)) {
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(data, group)));
    // One 14-byte entry after the 6-byte header: width, height, colours, reserved, planes, bits.
    if (bytes != nullptr && SizeofResource(data, group) >= 20) {
      std::printf("icon-entry=%dx%d bits=%d\n", bytes[6], bytes[7], bytes[12] | bytes[13] << 8);
    }
  }
  FreeLibrary(data);
  return kExitOk;
}

HWND NameBox(HWND chooser) {
  HWND name = GetDlgItem(chooser, kChooserNameCombo);
  return name != nullptr ? name : GetDlgItem(chooser, kChooserNameEdit);
}

int Chooser(HWND chooser) {
  HWND owner = GetWindow(chooser, GW_OWNER);
  std::printf("owner=%s\nfolder=%s\nfilter=%s\nname=%s\n",
              Utf8FromWide(owner ? TextOf(owner) : L"").c_str(),
              Utf8FromWide(ShownText(GetDlgItem(chooser, kChooserFolderList))).c_str(),
              Utf8FromWide(ShownText(GetDlgItem(chooser, kChooserFilterList))).c_str(),
              Utf8FromWide(ShownText(NameBox(chooser))).c_str());
  return kExitOk;
}

// Whether the window is the foreground window, whether it is minimised, and whether it is shown
// at the middle of its client area (no other window above it there).
int Front(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(window, &middle);
  const bool shown = !IsIconic(window) && GetAncestor(WindowFromPoint(middle), GA_ROOT) == window;
  std::printf("front=%d iconic=%d shown=%d\n", GetForegroundWindow() == window ? 1 : 0,
              IsIconic(window) ? 1 : 0, shown ? 1 : 0);
  return kExitOk;
}

int Object(HWND dialog, int id) {
  HWND control = FindDescendant(dialog, id);
  if (control == nullptr) return kExitMissing;
  DWORD_PTR answer = 0;
  const bool answered = SendMessageTimeoutW(control, WM_GETOBJECT, 0,
                                            static_cast<LPARAM>(static_cast<LONG>(OBJID_CLIENT)),
                                            SMTO_ABORTIFHUNG, 10000, &answer) != 0;
  std::printf("object=%d\n", answered && static_cast<LRESULT>(answer) > 0 ? 1 : 0);
  return kExitOk;
}

// Presses a push button of a dialog as a click on it would.
int Press(HWND dialog, int id) {
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
             ? kExitOk
             : kExitMissing;
}

int Choose(HWND chooser, const std::wstring& name) {
  HWND box = NameBox(chooser);
  if (box == nullptr) return kExitMissing;
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  return Press(chooser, IDOK);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.empty()) return kExitUsage;
  const std::wstring& command = args[0];
  if (command == L"resources" && args.size() == 2) return Resources(args[1]);
  if (args.size() < 2) return kExitUsage;
  HWND window = FindTop(args[1]);
  if (window == nullptr) {
    PrintLine("not found");
    return kExitMissing;
  }
  if (command == L"controls" && args.size() == 2) return Controls(window);
  if (command == L"combo" && args.size() == 3)
    return Combo(window, static_cast<int>(std::wcstol(args[2].c_str(), nullptr, 0)));
  if (command == L"focus" && args.size() == 2) return Focus(window);
  if (command == L"front" && args.size() == 2) return Front(window);
  if (command == L"object" && args.size() == 3)
    return Object(window, static_cast<int>(std::wcstol(args[2].c_str(), nullptr, 0)));
  if (command == L"chooser" && args.size() == 2) return Chooser(window);
  if (command == L"choose" && args.size() == 3) return Choose(window, args[2]);
  if (command == L"press" && args.size() == 3)
    return Press(window, static_cast<int>(std::wcstol(args[2].c_str(), nullptr, 0)));
  return kExitUsage;
}
