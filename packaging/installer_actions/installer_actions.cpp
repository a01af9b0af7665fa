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
#include <string>

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kSaverValue[] = L"SCRNSAVE.EXE";
constexpr wchar_t kActiveValue[] = L"ScreenSaveActive";
constexpr wchar_t kFieldSeparator = L'|';

std::wstring CustomActionData(MSIHANDLE install) {
  DWORD length = 0;
  wchar_t empty[1] = L"";
  MsiGetPropertyW(install, L"CustomActionData", empty, &length);
  std::wstring data(length + 1, L'\0');
  length = static_cast<DWORD>(data.size());
  if (MsiGetPropertyW(install, L"CustomActionData", data.data(), &length) != ERROR_SUCCESS) {
    return L"";
  }
  data.resize(length);
  return data;
}

// Writes NAME back as the registry search found it: "#N" a number, "#%TEXT" an expandable
// string, "##TEXT" a string that starts with "#", anything else a string; empty: no value.
void PutBack(HKEY desktop, const wchar_t* name, const std::wstring& found) {
  if (found.empty()) {
    RegDeleteValueW(desktop, name);
    return;
  }
  DWORD type = REG_SZ;
  std::wstring text = found;
  if (found.size() > 1 && found[0] == L'#' && found[1] != L'#' && found[1] != L'%') {
    const DWORD number = std::wcstoul(found.c_str() + 1, nullptr, 10);
    RegSetValueExW(desktop, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    return;
  }
  if (found.rfind(L"#%", 0) == 0) {
    type = REG_EXPAND_SZ;
    text = found.substr(2);
  } else if (found.rfind(L"##", 0) == 0) {
    text = found.substr(1);
  }
  RegSetValueExW(desktop, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
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
  const std::wstring data = CustomActionData(install);
  const size_t separator = data.find(kFieldSeparator);
  const std::wstring saver = data.substr(0, separator);
  const std::wstring active = separator == std::wstring::npos ? L"" : data.substr(separator + 1);
  HKEY desktop = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &desktop) != ERROR_SUCCESS) {
    return ERROR_SUCCESS;
  }
  PutBack(desktop, kSaverValue, saver);
  PutBack(desktop, kActiveValue, active);
  RegCloseKey(desktop);
  TellSession(!saver.empty() && active != L"0");
  return ERROR_SUCCESS;
}
