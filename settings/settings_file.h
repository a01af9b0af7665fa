#pragma once

#include <array>
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

// The music the settings file names, as it names it.
struct StoredMusic {
  int16_t kind = MusicNone;
  std::string file;
};

// The music settings, one record for the whole host. Texts are UTF-8.
struct SettingsRecord {
  int16_t bgmKind = MusicNone;
  int16_t bgmRepeatTrack = 0;    // CD track to repeat; 0 plays the whole disc again and again
  std::string bgmFile;           // full path of the MP3 or WAV file, empty when none
  std::string fileDialogFolder;  // where the file chooser starts; derived, never stored
  // Set by a load that dropped the stored music file because it could not be opened (on a drive
  // that is not there now, say): a file that is missing today is not a wrong choice, so a save
  // writes this kind and file back as they were, until the user changes the music choice.
  std::optional<StoredMusic> unopenedMusic;
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
  // The bytes of the file at `path`: empty when there is no such file, std::nullopt when it is
  // there but cannot be read.
  virtual std::optional<std::string> ReadBytes(const std::string& path) = 0;
  // Makes `bytes` the file at `path` in one step: a failed write leaves the old file as it was.
  virtual bool ReplaceWithBytes(const std::string& path, const std::string& bytes) = 0;
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
// the music file, under the key names of settings_keys.h; values follow stored_text.h, and every
// value is read back whole, however long.
//
// Where the code page carries the Shift-JIS key names, the file is kept with the system's profile
// functions, as it always was. Where it does not, the profile functions could neither find those
// keys nor rewrite the file without changing the bytes of their lines, so the file is read and
// edited as bytes (profile_bytes.h): the values under the Shift-JIS names are read as Shift-JIS,
// and a save changes the lines of the ASCII names alone, copying every other line byte for byte
// into a new file that then replaces the old one.
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
  // `shiftJis` converts code page 932, in which Japanese systems store their values.
  SettingsFile(ProfileFile& profile, SystemCodePage& codePage, SystemCodePage& shiftJis,
               FileSystem& files, std::string programFolder, std::string userFolder);

  const std::string& settingsFilePath() const { return settingsFilePath_; }
  const std::string& userSettingsFilePath() const { return userSettingsFilePath_; }

  // Fills the record from the file. A missing file, section or key gives the defaults (no music,
  // track 0, no file); a number that cannot be read or does not fit in 16 bits leaves its field as
  // it was; a music file that cannot be opened is dropped (kept in `unopenedMusic`) and MusicFile
  // falls back to MusicNone.
  void LoadSettings(SettingsRecord& record);

  // Writes kind, repeated track and music file, in that order, to the first place that takes all
  // three; Nowhere when none did. Kind and file are those of `unopenedMusic` when it is set.
  SavedTo SaveSettings(const SettingsRecord& record);

 private:
  // A value as stored, and whether it is in Shift-JIS rather than the system's code page.
  struct StoredValue {
    std::string bytes;
    bool shiftJis = false;
  };

  bool HasUserFile();
  bool KeptAsBytes();
  std::optional<StoredValue> ReadKey(const SettingsKey& key, const std::string& path);
  void LoadNumber(const SettingsKey& key, const std::string& path, int16_t& field);
  bool WriteRecord(int16_t kind, int16_t track, const std::string& file, const std::string& path);
  bool WriteRecordAsBytes(const std::array<std::string, 3>& values, const std::string& path);

  ProfileFile& profile_;
  SystemCodePage& codePage_;
  SystemCodePage& shiftJis_;
  FileSystem& files_;
  std::string programFolder_;
  std::string userFolder_;
  std::string settingsFilePath_;
  std::string userSettingsFilePath_;  // empty when there is no user folder
};
