// settings-probe.exe: runs the settings file with the system's profile functions, code page and
// file system, for the Wine scenarios.
//
//   code-page                           print the ANSI code page
//   save FOLDER KIND TRACK FILE         save a record with FOLDER as the program folder, as the
//                                       host does: into FOLDER\ミレボラ.ini or the per-user
//                                       file; print "saved=program-folder", "saved=user-folder"
//                                       or "saved=nowhere"
//   load FOLDER                         load with FOLDER as the program folder; print "kind=",
//                                       "track=", "file=" and "dialog-folder=" lines
//   read-value FILE SECTION KEY         print the bytes the settings file reads for KEY (its
//                                       name in the ANSI code page) as "value=" and hex digits
// Texts are printed as UTF-8, lines end in LF. Exit code 0 on success, 1 when the save failed,
// 2 on wrong usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <limits>
#include <optional>
#include <string>

#include "settings/settings_file.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kDecimal = 10;
constexpr char kHexDigits[] = "0123456789abcdef";

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void PrintField(const char* name, const std::string& value) {
  Print(std::string(name) + "=" + value + "\n");
}

// A whole decimal argument within 16 bits.
bool ParseInt16(const wchar_t* text, int16_t& value) {
  wchar_t* end = nullptr;
  errno = 0;
  const long number = std::wcstol(text, &end, kDecimal);
  if (end == text || *end != L'\0' || errno != 0 || number < std::numeric_limits<int16_t>::min() ||
      number > std::numeric_limits<int16_t>::max()) {
    return false;
  }
  value = static_cast<int16_t>(number);
  return true;
}

int Save(SettingsFile& settings, const wchar_t* kind, const wchar_t* track, const wchar_t* file) {
  SettingsRecord record;
  if (!ParseInt16(kind, record.bgmKind) || !ParseInt16(track, record.bgmRepeatTrack)) {
    return kExitUsage;
  }
  record.bgmFile = Utf8FromWide(file);
  const SavedTo saved = settings.SaveSettings(record);
  PrintField("saved", saved == SavedTo::ProgramFolder ? "program-folder"
                      : saved == SavedTo::UserFolder  ? "user-folder"
                                                      : "nowhere");
  return saved == SavedTo::Nowhere ? kExitFailed : kExitOk;
}

int Load(SettingsFile& settings) {
  SettingsRecord record;
  settings.LoadSettings(record);
  PrintField("kind", std::to_string(record.bgmKind));
  PrintField("track", std::to_string(record.bgmRepeatTrack));
  PrintField("file", record.bgmFile);
  PrintField("dialog-folder", record.fileDialogFolder);
  return kExitOk;
}

int ReadValue(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
  Win32CodePage codePage;
  const std::optional<std::string> sectionBytes = codePage.FromText(Utf8FromWide(section));
  const std::optional<std::string> keyBytes = codePage.FromText(Utf8FromWide(key));
  if (!sectionBytes || !keyBytes) return kExitUsage;
  Win32ProfileFile profile;
  std::string hex;
  for (unsigned char byte : ReadIniValue(profile, *sectionBytes, *keyBytes, Utf8FromWide(file))) {
    hex += kHexDigits[byte >> 4];
    hex += kHexDigits[byte & 0x0F];
  }
  PrintField("value", hex);
  return kExitOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"code-page" && argc == 2) {
    PrintField("code-page", std::to_string(GetACP()));
    return kExitOk;
  }
  if (command == L"read-value" && argc == 5) return ReadValue(argv[2], argv[3], argv[4]);
  const bool save = command == L"save" && argc == 6;
  const bool load = command == L"load" && argc == 3;
  if (!save && !load) {
    std::fputs(
        "usage: settings-probe code-page | save FOLDER KIND TRACK FILE | load FOLDER | "
        "read-value FILE SECTION KEY\n",
        stderr);
    return kExitUsage;
  }

  Win32ProfileFile profile;
  Win32CodePage codePage;
  Win32CodePage shiftJis(kShiftJisCodePage);
  Win32FileSystem files;
  SettingsFile settings(profile, codePage, shiftJis, files, Utf8FromWide(argv[2]),
                        UserSettingsFolder(ApplicationDataFolder()));
  return save ? Save(settings, argv[3], argv[4], argv[5]) : Load(settings);
}
