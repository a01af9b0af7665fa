#include "settings/settings_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "settings/decimal_text.h"

namespace {

constexpr char kSettingsFileName[] = "\\ミレボラ.ini";
constexpr char kUserFolderName[] = "\\ミレボラ";
constexpr char kSection[] = "Section";

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

bool FileExists(const std::string& path, FileSystem& files) {
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

std::string UserSettingsFolder(const std::string& applicationDataFolder) {
  if (applicationDataFolder.empty()) return {};
  return applicationDataFolder + kUserFolderName;
}

SettingsFile::SettingsFile(ProfileFile& profile, SystemCodePage& codePage, FileSystem& files,
                           std::string programFolder, std::string userFolder)
    : profile_(profile),
      codePage_(codePage),
      files_(files),
      programFolder_(std::move(programFolder)),
      userFolder_(std::move(userFolder)),
      settingsFilePath_(programFolder_ + kSettingsFileName),
      userSettingsFilePath_(userFolder_.empty() ? std::string() : userFolder_ + kSettingsFileName) {
}

bool SettingsFile::HasUserFile() {
  return !userSettingsFilePath_.empty() && files_.IsReadableFile(userSettingsFilePath_);
}

std::optional<std::string> SettingsFile::ReadKey(const SettingsKey& key, const std::string& path,
                                                 std::string* foundName) {
  for (const std::string& name : KeyNamesToRead(key, codePage_)) {
    if (std::optional<std::string> value = ReadIniValueIfPresent(profile_, kSection, name, path)) {
      if (foundName != nullptr) *foundName = name;
      return value;
    }
  }
  return std::nullopt;
}

void SettingsFile::LoadNumber(const SettingsKey& key, const std::string& path, int16_t& field) {
  const std::string value = ReadKey(key, path).value_or("");
  if (value.empty()) {
    field = 0;
  } else if (const std::optional<int16_t> number = ParseSettingNumber(value)) {
    field = *number;
  }
}

std::string SettingsFile::ReadStoredFileValue(const std::string& path) {
  std::string name;
  std::string value = ReadKey(kFileKey, path, &name).value_or("");
  // The escaped form takes up to nine bytes a character, so a long path outside the code page
  // passes the 255-byte limit. Only this program writes that form, so no older file relies on
  // the limit there: such a value is read again whole.
  if (value.size() == kIniValueBufferSize - 1 && value.rfind(kUtf8TextMarker, 0) == 0) {
    value = profile_.ReadString(kSection, name, "", kEscapedValueBufferSize, path);
    value.resize(std::min(value.size(), value.find('\0')));
  }
  return value;
}

void SettingsFile::LoadSettings(SettingsRecord& record) {
  const std::string& path = HasUserFile() ? userSettingsFilePath_ : settingsFilePath_;
  LoadNumber(kKindKey, path, record.bgmKind);
  LoadNumber(kRepeatTrackKey, path, record.bgmRepeatTrack);

  record.bgmFile = DecodeStoredText(ReadStoredFileValue(path), codePage_);
  if (!record.bgmFile.empty() && !FileExists(record.bgmFile, files_)) record.bgmFile.clear();
  if (record.bgmFile.empty() && record.bgmKind == MusicFile) record.bgmKind = MusicNone;

  record.fileDialogFolder = record.bgmFile.empty() ? programFolder_ : FolderOfPath(record.bgmFile);
}

bool SettingsFile::WriteRecord(const SettingsRecord& record, const std::string& path) {
  const bool shiftJis = WritesShiftJisKeys(codePage_);
  const auto name = [shiftJis](const SettingsKey& key) {
    return std::string(shiftJis ? key.shiftJisName : key.asciiName);
  };
  const bool written = WriteIniValue(profile_, kSection, name(kKindKey),
                                     FormatSettingNumber(record.bgmKind), path) &&
                       WriteIniValue(profile_, kSection, name(kRepeatTrackKey),
                                     FormatSettingNumber(record.bgmRepeatTrack), path) &&
                       WriteIniValue(profile_, kSection, name(kFileKey),
                                     EncodeStoredText(record.bgmFile, codePage_), path);
  if (!written || !shiftJis) return written;
  // The ASCII names are read first: values a system of another code page left there would
  // otherwise hide the ones just written.
  for (const SettingsKey& key : kSettingsKeys) {
    if (!profile_.RemoveKey(kSection, std::string(key.asciiName), path)) return false;
  }
  return true;
}

SavedTo SettingsFile::SaveSettings(const SettingsRecord& record) {
  if (HasUserFile()) {
    return WriteRecord(record, userSettingsFilePath_) ? SavedTo::UserFolder : SavedTo::Nowhere;
  }
  if (WriteRecord(record, settingsFilePath_)) return SavedTo::ProgramFolder;
  if (!userSettingsFilePath_.empty() && files_.CreateFolder(userFolder_) &&
      WriteRecord(record, userSettingsFilePath_)) {
    return SavedTo::UserFolder;
  }
  return SavedTo::Nowhere;
}
