#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/profile_file.h"
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

// Whether a path names a file that can be opened for reading. The Windows program asks the file
// system; the tests use a list.
class FileProbe {
 public:
  virtual ~FileProbe() = default;
  // False for folders, drive roots, missing files and files that cannot be opened for reading.
  virtual bool IsReadableFile(const std::string& path) = 0;
};

// True when `path` (UTF-8) names a readable file; one trailing "\" is ignored.
bool FileExists(const std::string& path, FileProbe& files);

// The folder part of a path, up to its last ":" or "\", without a trailing "\":
// "C:\Music\a.mp3" gives "C:\Music", "C:\a.mp3" and "C:a.mp3" give "C:", "a.mp3" gives "".
std::string FolderOfPath(std::string_view path);

// The settings file, ミレボラ.ini in the program folder: one section "Section" with the music kind,
// the repeated track and the music file. Keys are the Shift-JIS bytes of their Japanese names on
// every system, so files written on a Japanese system load anywhere; values follow stored_text.h.
class SettingsFile {
 public:
  // `programFolder` is the folder of the running program without trailing "\" (as FolderOfPath
  // gives it), UTF-8.
  SettingsFile(ProfileFile& profile, SystemCodePage& codePage, FileProbe& files,
               std::string programFolder);

  const std::string& settingsFilePath() const { return settingsFilePath_; }

  // Fills the record from the file. A missing file, section or key gives the defaults (no music,
  // track 0, no file); a number that cannot be read or does not fit in 16 bits leaves its field as
  // it was; a music file that cannot be opened is dropped and MusicFile falls back to MusicNone.
  void LoadSettings(SettingsRecord& record);

  // Writes kind, repeated track and music file, in that order. True when all three were written.
  bool SaveSettings(const SettingsRecord& record);

 private:
  void LoadNumber(const std::string& key, int16_t& field);
  std::string ReadStoredFileValue();

  // Room for a music path in the escaped UTF-8 form: thousands of characters.
  static constexpr size_t kEscapedValueBufferSize = 32768;

  ProfileFile& profile_;
  SystemCodePage& codePage_;
  FileProbe& files_;
  std::string programFolder_;
  std::string settingsFilePath_;
};
