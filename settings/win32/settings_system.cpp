#include "settings/win32/settings_system.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

namespace {

std::optional<std::wstring> WideFromBytes(std::string_view bytes, UINT codePage, DWORD flags) {
  if (bytes.empty()) return std::wstring();
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(units, L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), length, wide.data(), units);
  return wide;
}

// The bytes of `wide` in `codePage`; std::nullopt when the conversion fails or, given
// `usedDefault`, when a character had no form there.
std::optional<std::string> BytesFromWide(std::wstring_view wide, UINT codePage, DWORD flags,
                                         BOOL* usedDefault) {
  if (wide.empty()) return std::string();
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefault);
  if (size <= 0 || (usedDefault && *usedDefault)) return std::nullopt;
  std::string bytes(size, '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// A text handed to a wide function as a NUL-terminated string: an inner NUL would silently name
// something else (a shorter path, a shorter value), so such a text is refused.
bool HasInnerNul(std::wstring_view text) { return text.find(L'\0') != std::wstring_view::npos; }

std::optional<std::wstring> WidePath(std::string_view utf8Path) {
  std::optional<std::wstring> path = WideFromUtf8(utf8Path);
  if (!path || path->empty() || HasInnerNul(*path)) return std::nullopt;
  return path;
}

// Bytes in the ANSI code page as wide text; std::nullopt for bytes without meaning there or
// holding a NUL.
std::optional<std::wstring> WideFromAnsi(std::string_view bytes) {
  std::optional<std::wstring> wide = WideFromBytes(bytes, CP_ACP, MB_ERR_INVALID_CHARS);
  if (!wide || HasInnerNul(*wide)) return std::nullopt;
  return wide;
}

// Wide text read from a profile file as ANSI bytes; a character the code page lacks (from a
// Unicode profile file) becomes the code page's default character.
std::string AnsiFromWide(std::wstring_view wide) {
  return BytesFromWide(wide, CP_ACP, 0, nullptr).value_or(std::string());
}

// Far more than the settings file ever holds; a larger file is not read or written whole.
constexpr LONGLONG kLargestSettingsFile = 64 << 20;

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
  return WideFromBytes(text, CP_UTF8, MB_ERR_INVALID_CHARS);
}

std::string Utf8FromWide(std::wstring_view text) {
  return BytesFromWide(text, CP_UTF8, 0, nullptr).value_or(std::string());
}

std::string Win32ProfileFile::ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, size_t bufferSize,
                                         const std::string& path) {
  const size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
  const std::optional<std::wstring> widePath = WidePath(path);
  const std::optional<std::wstring> wideSection = WideFromAnsi(section);
  const std::optional<std::wstring> wideKey = WideFromAnsi(key);
  const std::optional<std::wstring> wideDefault = WideFromAnsi(defaultValue);
  if (!widePath || !wideSection || !wideKey || !wideDefault) return defaultValue.substr(0, limit);

  // The limit is in bytes of the code page, the buffer in UTF-16 units. Each unit read from an
  // ANSI file is at least one byte, so as many units hold at least the bytes the limit keeps.
  std::wstring buffer(bufferSize, L'\0');
  const DWORD copied =
      GetPrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), wideDefault->c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), widePath->c_str());
  std::string bytes = AnsiFromWide(std::wstring_view(buffer.data(), copied));
  bytes.resize(std::min(bytes.size(), limit));
  return bytes;
}

bool Win32ProfileFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& path) {
  const std::optional<std::wstring> widePath = WidePath(path);
  const std::optional<std::wstring> wideSection = WideFromAnsi(section);
  const std::optional<std::wstring> wideKey = WideFromAnsi(key);
  const std::optional<std::wstring> wideValue = WideFromAnsi(value);
  if (!widePath || !wideSection || !wideKey || !wideValue) return false;
  return WritePrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), wideValue->c_str(),
                                    widePath->c_str()) != FALSE;
}

bool Win32ProfileFile::RemoveKey(const std::string& section, const std::string& key,
                                 const std::string& path) {
  const std::optional<std::wstring> widePath = WidePath(path);
  const std::optional<std::wstring> wideSection = WideFromAnsi(section);
  const std::optional<std::wstring> wideKey = WideFromAnsi(key);
  if (!widePath || !wideSection || !wideKey) return false;
  // A missing file has no key to remove; the call would make an empty one.
  if (GetFileAttributesW(widePath->c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  return WritePrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), nullptr,
                                    widePath->c_str()) != FALSE;
}

std::optional<std::string> Win32CodePage::FromText(std::string_view text) {
  const std::optional<std::wstring> wide = WideFromUtf8(text);
  if (!wide) return std::nullopt;
  // No look-alikes ("e" for "è"): a character the code page lacks makes the text unfit.
  BOOL usedDefault = FALSE;
  return BytesFromWide(*wide, codePage_, WC_NO_BEST_FIT_CHARS, &usedDefault);
}

std::string Win32CodePage::ToText(std::string_view bytes) {
  return Utf8FromWide(WideFromBytes(bytes, codePage_, 0).value_or(std::wstring()));
}

bool Win32FileSystem::IsReadableFile(const std::string& path) {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath) return false;
  // Without backup semantics a folder cannot be opened; a device (NUL, COM1) is not a disk file.
  const HANDLE file = CreateFileW(widePath->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  const bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(file, &information) &&
                       !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(file);
  return regular;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath) return false;
  if (CreateDirectoryW(widePath->c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(widePath->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::ReadBytes(const std::string& path) {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath) return std::nullopt;
  const HANDLE file = CreateFileW(widePath->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= kLargestSettingsFile) {
    std::string read(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (read.empty() ||
        (ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
         got == read.size())) {
      bytes = std::move(read);
    }
  }
  CloseHandle(file);
  return bytes;
}

bool Win32FileSystem::ReplaceWithBytes(const std::string& path, const std::string& bytes) {
  const std::optional<std::wstring> widePath = WidePath(path);
  if (!widePath || static_cast<LONGLONG>(bytes.size()) > kLargestSettingsFile) return false;
  // The new file is written beside the old one, then put in its place in one step.
  const std::wstring folder = widePath->substr(0, widePath->find_last_of(L'\\') + 1);
  std::wstring temporary(MAX_PATH + folder.size() + 16, L'\0');
  if (GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"mir", 0, temporary.data()) == 0) {
    return false;
  }
  temporary.resize(temporary.find(L'\0'));
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = false;
  if (file != INVALID_HANDLE_VALUE) {
    DWORD put = 0;
    written = (bytes.empty() ||
               (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                put == bytes.size())) &&
              FlushFileBuffers(file);
    written = CloseHandle(file) && written;
  }
  if (written && MoveFileExW(temporary.c_str(), widePath->c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

std::string ApplicationDataFolder() {
  PWSTR folder = nullptr;
  std::string utf8;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
    utf8 = Utf8FromWide(folder);
  }
  CoTaskMemFree(folder);
  return utf8;
}
