#include "settings/settings_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "settings/decimal_text.h"
#include "settings/profile_bytes.h"

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

SettingsFile::SettingsFile(ProfileFile& profile, SystemCodePage& codePage, SystemCodePage& shiftJis,
                           FileSystem& files, std::string programFolder, std::string userFolder)
    : profile_(profile),
      codePage_(codePage),
      shiftJis_(shiftJis),
      files_(files),
      programFolder_(std::move(programFolder)),
      userFolder_(std::move(userFolder)),
      settingsFilePath_(programFolder_ + kSettingsFileName),
      userSettingsFilePath_(userFolder_.empty() ? std::string() : userFolder_ + kSettingsFileName) {
}

bool SettingsFile::HasUserFile() {
  return !userSettingsFilePath_.empty() && files_.IsReadableFile(userSettingsFilePath_);
}

bool SettingsFile::KeptAsBytes() { return !WritesShiftJisKeys(codePage_); }

std::optional<SettingsFile::StoredValue> SettingsFile::ReadKey(const SettingsKey& key,
                                                               const std::string& path) {
  if (KeptAsBytes()) {
    const std::string file = files_.ReadBytes(path).value_or("");
    if (std::optional<std::string> value = FindProfileValue(file, kSection, key.asciiName)) {
      return StoredValue{std::move(*value), false};
    }
    if (std::optional<std::string> value = FindProfileValue(file, kSection, key.shiftJisName)) {
      return StoredValue{std::move(*value), true};
    }
    return std::nullopt;
  }
  for (const std::string& name : KeyNamesToRead(key, codePage_)) {
    if (std::optional<std::string> value = ReadIniValueIfPresent(profile_, kSection, name, path)) {
      return StoredValue{std::move(*value), false};
    }
  }
  return std::nullopt;
}

void SettingsFile::LoadNumber(const SettingsKey& key, const std::string& path, int16_t& field) {
  const std::string value = ReadKey(key, path).value_or(StoredValue{}).bytes;
  if (value.empty()) {
    field = 0;
  } else if (const std::optional<int16_t> number = ParseSettingNumber(value)) {
    field = *number;
  }
}

void SettingsFile::LoadSettings(SettingsRecord& record) {
  const std::string& path = HasUserFile() ? userSettingsFilePath_ : settingsFilePath_;
  LoadNumber(kKindKey, path, record.bgmKind);
  LoadNumber(kRepeatTrackKey, path, record.bgmRepeatTrack);

  const StoredValue file = ReadKey(kFileKey, path).value_or(StoredValue{});
  record.bgmFile = DecodeStoredText(file.bytes, file.shiftJis ? shiftJis_ : codePage_);
  record.unopenedMusic.reset();
  if (!record.bgmFile.empty() && !FileExists(record.bgmFile, files_)) {
    record.unopenedMusic = StoredMusic{record.bgmKind, record.bgmFile};
    record.bgmFile.clear();
  }
  if (record.bgmFile.empty() && record.bgmKind == MusicFile) record.bgmKind = MusicNone;

  record.fileDialogFolder = record.bgmFile.empty() ? programFolder_ : FolderOfPath(record.bgmFile);
}

bool SettingsFile::WriteRecordAsBytes(const std::array<std::string, 3>& values,
                                      const std::string& path) {
  const std::optional<std::string> file = files_.ReadBytes(path);
  if (!file) return false;  // there, but unreadable: replacing it would lose its other lines
  std::vector<ProfileChange> changes;
  for (size_t i = 0; i < kSettingsKeys.size(); ++i) {
    changes.emplace_back(std::string(kSettingsKeys[i].asciiName), values[i]);
  }
  return files_.ReplaceWithBytes(path, ChangeProfileValues(*file, kSection, changes));
}

bool SettingsFile::WriteRecord(int16_t kind, int16_t track, const std::string& file,
                               const std::string& path) {
  const std::array<std::string, 3> values = {FormatSettingNumber(kind), FormatSettingNumber(track),
                                             EncodeStoredText(file, codePage_)};
  if (KeptAsBytes()) return WriteRecordAsBytes(values, path);
  for (size_t i = 0; i < kSettingsKeys.size(); ++i) {
    const std::string name(kSettingsKeys[i].shiftJisName);
    if (!WriteIniValue(profile_, kSection, name, values[i], path)) return false;
  }
  // The ASCII names are read first: values a system of another code page left there would
  // otherwise hide the ones just written.
  for (const SettingsKey& key : kSettingsKeys) {
    if (!profile_.RemoveKey(kSection, std::string(key.asciiName), path)) return false;
  }
  return true;
}

SavedTo SettingsFile::SaveSettings(const SettingsRecord& record) {
  const int16_t kind = record.unopenedMusic ? record.unopenedMusic->kind : record.bgmKind;
  const std::string& file = record.unopenedMusic ? record.unopenedMusic->file : record.bgmFile;
  const auto write = [&](const std::string& path) {
    return WriteRecord(kind, record.bgmRepeatTrack, file, path);
  };
  if (HasUserFile()) return write(userSettingsFilePath_) ? SavedTo::UserFolder : SavedTo::Nowhere;
  if (write(settingsFilePath_)) return SavedTo::ProgramFolder;
  if (!userSettingsFilePath_.empty() && files_.CreateFolder(userFolder_) &&
      write(userSettingsFilePath_)) {
    return SavedTo::UserFolder;
  }
  return SavedTo::Nowhere;
}
