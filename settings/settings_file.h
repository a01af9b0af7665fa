#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/profile_file.h"
#include "settings/settings_keys.h"
#include "settings/stored_text.h"

// What plays during the saver. Other stored values are kept as they are and select no music.
enum MusicKind : int16_t {
  MusicNone = 0,
  MusicCd = 1,    // the audio CD in the drive
  MusicFile = 2,  // the MP3 or WAV file in bgmFile
};

// The music settings, one record for the whole host. Texts are UTF-8.
struct SettingsRecord {
  int16_t bgmKind = MusicNone;
  int16_t bgmRepeatTrack = 0;    // CD track to repeat; 0 plays the whole disc again and again
  std::string bgmFile;           // full path of the MP3 or WAV file, empty when none
  std::string fileDialogFolder;  // where the file chooser starts; derived, never stored
};

// The file system as the settings file needs it. The Windows program asks the system; the tests
// use a list.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // False for folders, drive roots, missing files and files that cannot be opened for reading.
  virtual bool IsReadableFile(const std::string& path) = 0;
  // Creates the folder `path` unless it is there already. True when it is there afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;
};

// True when `path` (UTF-8) names a readable file; one trailing "\" is ignored.
bool FileExists(const std::string& path, FileSystem& files);

// The folder part of a path, up to its last ":" or "\", without a trailing "\":
// "C:\Music\a.mp3" gives "C:\Music", "C:\a.mp3" and "C:a.mp3" give "C:", "a.mp3" gives "".
std::string FolderOfPath(std::string_view path);

// The folder of the per-user settings file inside the user's application-data folder (UTF-8,
// without trailing "\"): a folder named for the program.
std::string UserSettingsFolder(const std::string& applicationDataFolder);

// Where a save went.
enum class SavedTo { Nowhere, ProgramFolder, UserFolder };

// The settings file ミレボラ.ini: one section "Section" with the music kind, the repeated track and
// the music file, under the key names of settings_keys.h; values follow stored_text.h.
//
// It lives in the program folder. Where that cannot be written (a standard user and a program
// under Program Files), a per-user file of the same name takes its place. Loading reads the
// per-user file when there is one, else the program folder's; saving writes to the file loading
// will read: the per-user one when there is one, else the program folder's, else a new per-user
// one.
class SettingsFile {
 public:
  // `programFolder` is the folder of the running program without trailing "\" (as FolderOfPath
  // gives it), `userFolder` that of the per-user file (UserSettingsFolder), empty when the
  // system names none; both UTF-8.
  SettingsFile(ProfileFile& profile, SystemCodePage& codePage, FileSystem& files,
               std::string programFolder, std::string userFolder);

  const std::string& settingsFilePath() const { return settingsFilePath_; }
  const std::string& userSettingsFilePath() const { return userSettingsFilePath_; }

  // Fills the record from the file. A missing file, section or key gives the defaults (no music,
  // track 0, no file); a number that cannot be read or does not fit in 16 bits leaves its field as
  // it was; a music file that cannot be opened is dropped and MusicFile falls back to MusicNone.
  void LoadSettings(SettingsRecord& record);

  // Writes kind, repeated track and music file, in that order, to the first place that takes all
  // three; Nowhere when none did.
  SavedTo SaveSettings(const SettingsRecord& record);

 private:
  bool HasUserFile();
  std::optional<std::string> ReadKey(const SettingsKey& key, const std::string& path,
                                     std::string* foundName = nullptr);
  void LoadNumber(const SettingsKey& key, const std::string& path, int16_t& field);
  std::string ReadStoredFileValue(const std::string& path);
  bool WriteRecord(const SettingsRecord& record, const std::string& path);

  // Room for a music path in the escaped UTF-8 form: thousands of characters.
  static constexpr size_t kEscapedValueBufferSize = 32768;

  ProfileFile& profile_;
  SystemCodePage& codePage_;
  FileSystem& files_;
  std::string programFolder_;
  std::string userFolder_;
  std::string settingsFilePath_;
  std::string userSettingsFilePath_;  // empty when there is no user folder
};
