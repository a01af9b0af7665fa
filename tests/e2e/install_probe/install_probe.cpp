// install-probe.exe: reads what an installation left in the registry, for the packaging
// scenarios (whatever the system code page, since it prints UTF-8).
//
//   desktop-value NAME        print the string value NAME of HKCU\Control Panel\Desktop
//   uninstall-entries NAME    print one line per entry of Programs and Features whose display
//                             name is NAME: "version=V publisher=P product=KEY"
// Lines end in LF. Exit code 0 on success, 1 when the value or entry is not there, 2 on wrong
// usage.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "settings/win32/settings_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitMissing = 1;
constexpr int kExitUsage = 2;
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr DWORD kKeyNameChars = 256;

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

// The machine-wide entries, in the 64-bit view where a 64-bit package registers.
int UninstallEntries(const std::wstring& displayName) {
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
  std::fprintf(stderr, "usage: install-probe desktop-value NAME | uninstall-entries NAME\n");
  return kExitUsage;
}
