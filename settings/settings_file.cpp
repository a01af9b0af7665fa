#include "settings/settings_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "settings/decimal_text.h"

namespace {

constexpr char kSettingsFileName[] = "\\ミレボラ.ini";
constexpr char kSection[] = "Section";
// The key names in code page 932: "BGM区分", "BGMﾘﾋﾟｰﾄ" and "BGMﾌｧｲﾙ" (half-width katakana).
const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeatTrackKey = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

// The value of a stored number, rounded toward minus infinity: "1.9" gives 1, "-0.5" gives -1.
// The whole text must be one decimal number (sign, digits, fraction, exponent), blanks around it
// allowed; anything else, or a value outside 16 bits, gives std::nullopt.
std::optional<int16_t> ParseSettingNumber(std::string_view text) {
  const std::optional<double> value = DecimalTextValue(text);
  if (!value) return std::nullopt;
  const double whole = std::floor(*value);
  if (!(whole >= std::numeric_limits<int16_t>::min() &&
        whole <= std::numeric_limits<int16_t>::max())) {
    return std::nullopt;
  }
  return static_cast<int16_t>(whole);
}

// A stored number: a blank in place of the sign for values of 0 and more (" 2", "-1").
std::string FormatSettingNumber(int16_t value) {
  return (value >= 0 ? " " : "") + std::to_string(value);
}

}  // namespace

bool FileExists(const std::string& path, FileProbe& files) {
  const bool trailingBackslash = !path.empty() && path.back() == '\\';
  return files.IsReadableFile(trailingBackslash ? path.substr(0, path.size() - 1) : path);
}

std::string FolderOfPath(std::string_view path) {
  const size_t last = path.find_last_of(":\\");
  if (last == std::string_view::npos) return {};
  std::string_view folder = path.substr(0, last + 1);
  if (folder.back() == '\\') folder.remove_suffix(1);
  return std::string(folder);
}

SettingsFile::SettingsFile(ProfileFile& profile, SystemCodePage& codePage, FileProbe& files,
                           std::string programFolder)
    : profile_(profile),
      codePage_(codePage),
      files_(files),
      programFolder_(std::move(programFolder)),
      settingsFilePath_(programFolder_ + kSettingsFileName) {}

void SettingsFile::LoadNumber(const std::string& key, int16_t& field) {
  const std::string value = ReadIniValue(profile_, kSection, key, settingsFilePath_);
  if (value.empty()) {
    field = 0;
  } else if (const std::optional<int16_t> number = ParseSettingNumber(value)) {
    field = *number;
  }
}

std::string SettingsFile::ReadStoredFileValue() {
  std::string value = ReadIniValue(profile_, kSection, kFileKey, settingsFilePath_);
  // The escaped form takes up to nine bytes a character, so a long path outside the code page
  // passes the 255-byte limit. Only this program writes that form, so no older file relies on
  // the limit there: such a value is read again whole.
  if (value.size() == kIniValueBufferSize - 1 && value.rfind(kUtf8TextMarker, 0) == 0) {
    value = profile_.ReadString(kSection, kFileKey, "", kEscapedValueBufferSize, settingsFilePath_);
    value.resize(std::min(value.size(), value.find('\0')));
  }
  return value;
}

void SettingsFile::LoadSettings(SettingsRecord& record) {
  LoadNumber(kKindKey, record.bgmKind);
  LoadNumber(kRepeatTrackKey, record.bgmRepeatTrack);

  record.bgmFile = DecodeStoredText(ReadStoredFileValue(), codePage_);
  if (!record.bgmFile.empty() && !FileExists(record.bgmFile, files_)) record.bgmFile.clear();
  if (record.bgmFile.empty() && record.bgmKind == MusicFile) record.bgmKind = MusicNone;

  record.fileDialogFolder = record.bgmFile.empty() ? programFolder_ : FolderOfPath(record.bgmFile);
}

bool SettingsFile::SaveSettings(const SettingsRecord& record) {
  const bool kindWritten = WriteIniValue(profile_, kSection, kKindKey,
                                         FormatSettingNumber(record.bgmKind), settingsFilePath_);
  const bool trackWritten =
      WriteIniValue(profile_, kSection, kRepeatTrackKey, FormatSettingNumber(record.bgmRepeatTrack),
                    settingsFilePath_);
  const bool fileWritten = WriteIniValue(
      profile_, kSection, kFileKey, EncodeStoredText(record.bgmFile, codePage_), settingsFilePath_);
  return kindWritten && trackWritten && fileWritten;
}
