// installer-actions.dll: the two steps of the installer that its tables cannot express, run by
// the installer itself (deferred, as the installing user) from the package's Binary table.
//
//   ApplySaver    after the install has written SCRNSAVE.EXE and ScreenSaveActive: tell the
//                 running session that the screen saver is on, so that the choice holds from
//                 the next idle time on, without signing out.
//   RestoreSaver  on uninstall, while the screen-saver values still name the installed .scr:
//                 put back the values the user had before the install. Its data is
//                 "SAVER|ACTIVE", each as the installer's registry search gave it (empty: there
//                 was no such value, and ours is deleted).
// Both always report success: the screen-saver values must never stop an install or uninstall.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cwchar>

// Plain wide strings and no C++ library: the DLL travels inside every installer, and stays a
// few kilobytes so.
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kActiveValue[] = L"ScreenSaveActive";
constexpr wchar_t kFieldSeparator = L'|';
// Longer than any path the screen-saver value can hold (MAX_PATH), twice, and the separator.
constexpr DWORD kDataChars = 2 * 32768 + 2;

wchar_t g_data[kDataChars];

// Writes NAME back as the registry search found it: "#N" a number, "#%TEXT" an expandable
// string, "##TEXT" a string that starts with "#", anything else a string; empty: no value.
void PutBack(HKEY desktop, const wchar_t* name, const wchar_t* found) {
  if (found[0] == L'\0') {
    RegDeleteValueW(desktop, name);
    return;
  }
  DWORD type = REG_SZ;
  const wchar_t* text = found;
  if (found[0] == L'#' && found[1] == L'%') {
    type = REG_EXPAND_SZ;
    text = found + 2;
  } else if (found[0] == L'#' && found[1] == L'#') {
    text = found + 1;
  } else if (found[0] == L'#' && found[1] != L'\0') {
    const DWORD number = std::wcstoul(found + 1, nullptr, 10);
    RegSetValueExW(desktop, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    return;
  }
  RegSetValueExW(desktop, name, 0, type, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
}

// The session keeps its own copy of whether the screen saver is on; the registry alone is read
// only at the next sign-in.
void TellSession(bool active) {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDCHANGE);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ApplySaver(MSIHANDLE /*install*/) {
  TellSession(true);
  return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall RestoreSaver(MSIHANDLE install) {
  DWORD length = kDataChars;
  if (MsiGetPropertyW(install, L"CustomActionData", g_data, &length) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  // "SAVER|ACTIVE": split in place.
  wchar_t* active = std::wcschr(g_data, kFieldSeparator);
  if (active != nullptr) {
    *active++ = L'\0';
  } else {
    active = g_data + length;
  }
  const wchar_t* saver = g_data;
  HKEY desktop = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &desktop) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  PutBack(desktop, kSaverValue, saver);
  PutBack(desktop, kActiveValue, active);
  RegCloseKey(desktop);
  TellSession(saver[0] != L'\0' && std::wcscmp(active, L"0") != 0);
  return ERROR_SUCCESS;
}
