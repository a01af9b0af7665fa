// install-probe.exe: reads what an installation left in the registry, for the packaging
// scenarios (whatever the system code page, since it prints UTF-8).
//
//   desktop-value NAME        print the string value NAME of HKCU\Control Panel\Desktop
//   uninstall-entries NAME    print one line per entry of Programs and Features whose display
//                             name is NAME: "version=V publisher=P product=KEY"
//   entry-value NAME VALUE    print the value VALUE of the entry whose display name is NAME
//   saver-active              print 1 or 0: whether the session has the screen saver on
//   set-saver-active 0|1      turn it off or on for the session only, as a session that
//                             has not read the registry since would have it
//   page TITLE TIMEOUT_MS     wait for a shown installer page titled TITLE; print each shown
//                             control: "CLASS|TEXT" with " [x]" after a ticked box
//   click TITLE TEXT          press the shown control with TEXT on the page titled TITLE
// Lines end in LF. Exit code 0 on success, 1 when the value or entry is not there, 2 on wrong
// usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "settings/win32/settings_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMissing = 1;
constexpr int kExitUsage = 2;
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr DWORD kKeyNameChars = 256;
constexpr DWORD kPollMs = 100;

void Print(const std::wstring& text) {
  const std::string utf8 = Utf8FromWide(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

std::optional<std::wstring> StringValue(HKEY root, const std::wstring& key,
                                        const std::wstring& name) {
  DWORD bytes = 0;
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (RegGetValueW(root, key.c_str(), name.c_str(), kFlags, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(root, key.c_str(), name.c_str(), kFlags, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(wcslen(value.c_str()));
  return value;
}

int DesktopValue(const std::wstring& name) {
  const std::optional<std::wstring> value = StringValue(HKEY_CURRENT_USER, kDesktopKey, name);
  if (!value) return kExitMissing;
  Print(*value + L"\n");
  return kExitOk;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

std::wstring ClassName(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

// The installer's page titled TITLE that is shown now, with its shown controls in order.
HWND FindPage(const std::wstring& title) {
  struct Search {
    const std::wstring* title;
    HWND found;
  } search{&title, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<Search*>(context);
        if (!IsWindowVisible(window) || WindowText(window) != *search->title) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ShownControls(HWND page) {
  std::vector<HWND> controls;
  EnumChildWindows(
      page,
      [](HWND control, LPARAM context) -> BOOL {
        if (IsWindowVisible(control))
          reinterpret_cast<std::vector<HWND>*>(context)->push_back(control);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&controls));
  return controls;
}

int Page(const std::wstring& title, DWORD timeoutMs) {
  HWND page = nullptr;
  for (DWORD waited = 0; (page = FindPage(title)) == nullptr; waited += kPollMs) {
    if (waited >= timeoutMs) return kExitMissing;
    Sleep(kPollMs);
  }
  for (HWND control : ShownControls(page)) {
    const bool ticked =
        SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED && ClassName(control) == L"Button";
    Print(ClassName(control) + L"|" + WindowText(control) + (ticked ? L" [x]" : L"") + L"\n");
  }
  return kExitOk;
}

// Pressed as a mouse click would: the page hears of it as of any click.
int Click(const std::wstring& title, const std::wstring& text) {
  HWND page = FindPage(title);
  if (page == nullptr) return kExitMissing;
  for (HWND control : ShownControls(page)) {
    if (WindowText(control) != text) continue;
    SendMessageW(control, BM_CLICK, 0, 0);
    return kExitOk;
  }
  return kExitMissing;
}

int SetSaverActive(bool active) {
  return SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, 0)
             ? kExitOk
             : kExitMissing;
}

int SaverActive() {
  BOOL active = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) return kExitMissing;
  Print(active ? L"1\n" : L"0\n");
  return kExitOk;
}

// The machine-wide entries, in the 64-bit view where a 64-bit package registers; with
// VALUE_NAME, only that value of each.
int UninstallEntries(const std::wstring& displayName, const wchar_t* valueName = nullptr) {
  HKEY entries = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, &entries) !=
      ERROR_SUCCESS) {
    return kExitMissing;
  }
  int found = 0;
  wchar_t product[kKeyNameChars];
  for (DWORD i = 0;; ++i) {
    DWORD length = kKeyNameChars;
    if (RegEnumKeyExW(entries, i, product, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    const auto value = [&](const wchar_t* name) {
      return StringValue(entries, product, name).value_or(L"");
    };
    if (value(L"DisplayName") != displayName) continue;
    if (valueName != nullptr) {
      const std::optional<std::wstring> one = StringValue(entries, product, valueName);
      if (!one) continue;
      Print(*one + L"\n");
      ++found;
      continue;
    }
    Print(L"version=" + value(L"DisplayVersion") + L" publisher=" + value(L"Publisher") +
          L" product=" + product + L"\n");
    ++found;
  }
  RegCloseKey(entries);
  return found > 0 ? kExitOk : kExitMissing;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"desktop-value") return DesktopValue(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"uninstall-entries") return UninstallEntries(argv[2]);
  if (argc == 4 && std::wstring(argv[1]) == L"entry-value")
    return UninstallEntries(argv[2], argv[3]);
  if (argc == 2 && std::wstring(argv[1]) == L"saver-active") return SaverActive();
  if (argc == 3 && std::wstring(argv[1]) == L"set-saver-active")
    return SetSaverActive(std::wstring(argv[2]) == L"1");
  if (argc == 4 && std::wstring(argv[1]) == L"page")
    return Page(argv[2], static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  if (argc == 4 && std::wstring(argv[1]) == L"click") return Click(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: install-probe desktop-value NAME | uninstall-entries NAME |\n"
               "  entry-value NAME VALUE | saver-active | set-saver-active 0|1 |\n"
               "  page TITLE TIMEOUT_MS |"
               "  click TITLE TEXT\n");
  return kExitUsage;
}
