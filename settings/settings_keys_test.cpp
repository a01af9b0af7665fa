// The settings file on systems of every ANSI code page: what each writes, and what each reads of
// the others' files.
#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/settings_file.h"
#include "settings/testing/fake_file_system.h"
#include "settings/testing/fake_profile_file.h"
#include "settings/testing/iconv_code_page.h"

namespace {

constexpr char kProgramFolder[] = "C:\\ミレボラ";
constexpr char kIniPath[] = "C:\\ミレボラ\\ミレボラ.ini";
constexpr char kMusic[] = "D:\\Music\\theme.mp3";

// The system code pages, by the iconv names of their conversions.
constexpr const char* kJapanese = "CP932";
constexpr const char* kSimplifiedChinese = "CP936";
constexpr const char* kKorean = "CP949";
constexpr const char* kTraditionalChinese = "CP950";
constexpr const char* kWestern = "CP1252";
constexpr const char* kUtf8 = "UTF-8";  // 65001
constexpr const char* kAllCodePages[] = {kJapanese,           kSimplifiedChinese, kKorean,
                                         kTraditionalChinese, kWestern,           kUtf8};

std::string Sjis(const std::string& text) { return IconvConvert(text, "UTF-8", "CP932").value(); }

// One system: its code page and the settings file over one shared set of files on disk.
struct System {
  System(const char* codePageName, std::map<std::string, std::string>& disk)
      : codePage(codePageName), profile(codePage), files(profile), disk(disk) {
    files.readable = {kMusic};
  }

  SavedTo Save(int16_t kind, int16_t track, const std::string& music) {
    profile.files = disk;
    SettingsRecord record;
    record.bgmKind = kind;
    record.bgmRepeatTrack = track;
    record.bgmFile = music;
    const SavedTo saved = settings.SaveSettings(record);
    disk = profile.files;
    return saved;
  }

  SettingsRecord Load() {
    profile.files = disk;
    SettingsRecord record;
    settings.LoadSettings(record);
    return record;
  }

  IconvCodePage codePage;
  IconvCodePage shiftJis{kJapanese};
  FakeProfileFile profile;
  FakeFileSystem files;
  SettingsFile settings{profile, codePage, shiftJis, files, kProgramFolder, ""};
  std::map<std::string, std::string>& disk;
};

void ExpectLoads(System& system, int16_t kind, int16_t track, const std::string& music) {
  const SettingsRecord record = system.Load();
  EXPECT_EQ(record.bgmKind, kind);
  EXPECT_EQ(record.bgmRepeatTrack, track);
  EXPECT_EQ(record.bgmFile, music);
}

TEST(SettingsKeysTest, EveryCodePageSavesAndLoadsBackItsOwnFile) {
  // Outside code page 1252 and 932 alike, so each system stores it in the form it can.
  const std::string music = "D:\\音楽\\thème.mp3";
  for (const char* codePage : kAllCodePages) {
    SCOPED_TRACE(codePage);
    std::map<std::string, std::string> disk;
    System system(codePage, disk);
    system.files.readable.insert(music);
    EXPECT_EQ(system.Save(MusicCd, 7, music), SavedTo::ProgramFolder);
    ExpectLoads(system, MusicCd, 7, music);
    EXPECT_EQ(system.Save(MusicFile, 0, kMusic), SavedTo::ProgramFolder);
    ExpectLoads(system, MusicFile, 0, kMusic);
  }
}

TEST(SettingsKeysTest, JapaneseAndWesternSystemsWriteTheJapaneseKeysByteForByte) {
  const std::string japaneseFile =
      Sjis("[Section]\r\nBGM区分= 1\r\nBGMﾘﾋﾟｰﾄ= 7\r\nBGMﾌｧｲﾙ=D:\\Music\\theme.mp3\r\n");
  for (const char* codePage : {kJapanese, kWestern}) {
    SCOPED_TRACE(codePage);
    std::map<std::string, std::string> disk;
    System system(codePage, disk);
    system.Save(MusicCd, 7, kMusic);
    EXPECT_EQ(disk[kIniPath], japaneseFile);
    EXPECT_TRUE(WritesShiftJisKeys(system.codePage));
  }
}

TEST(SettingsKeysTest, OtherSystemsWriteAsciiKeysThatEverySystemReads) {
  const std::string asciiFile =
      "[Section]\r\nBGMKind= 1\r\nBGMRepeatTrack= 7\r\nBGMFile=D:\\Music\\theme.mp3\r\n";
  for (const char* writer : {kSimplifiedChinese, kKorean, kTraditionalChinese, kUtf8}) {
    std::map<std::string, std::string> disk;
    System writing(writer, disk);
    EXPECT_FALSE(WritesShiftJisKeys(writing.codePage)) << writer;
    writing.Save(MusicCd, 7, kMusic);
    EXPECT_EQ(disk[kIniPath], asciiFile) << writer;
    for (const char* reader : kAllCodePages) {
      SCOPED_TRACE(std::string(writer) + " read on " + reader);
      System reading(reader, disk);
      ExpectLoads(reading, MusicCd, 7, kMusic);
    }
  }
}

// Every system finds what a Japanese system saved, whether or not its code page carries the
// Shift-JIS key names: where it does not, the file's bytes are read for them, and the path is read
// in Shift-JIS as it was written.
TEST(SettingsKeysTest, JapaneseFileLoadsOnEverySystem) {
  const std::string music = "D:\\音楽\\テーマ.mp3";
  std::map<std::string, std::string> disk;
  System japanese(kJapanese, disk);
  japanese.files.readable.insert(music);
  japanese.Save(MusicFile, 7, music);
  ASSERT_EQ(disk[kIniPath],
            Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 7\r\nBGMﾌｧｲﾙ=" + music + "\r\n"));
  for (const char* reader : kAllCodePages) {
    SCOPED_TRACE(reader);
    System reading(reader, disk);
    reading.files.readable.insert(music);
    if (reader == kWestern) {
      // A Western system reads the path's bytes as characters of its own, as it always did: it
      // names no file there.
      ExpectLoads(reading, MusicNone, 7, "");
    } else {
      ExpectLoads(reading, MusicFile, 7, music);
    }
  }
}

// A save where the code page cannot carry the Shift-JIS names changes the lines of the ASCII
// names alone: the Japanese lines, other sections and their line ends keep their bytes, though
// they are not characters of that code page.
TEST(SettingsKeysTest, SaveOnAnotherCodePageKeepsEveryLineItDoesNotOwn) {
  const std::string japaneseLines = Sjis(
      "; ミレボラの設定\r\n[Section]\r\nBGM区分= 1\r\nBGMﾘﾋﾟｰﾄ=5\nBGMﾌｧｲﾙ=D:\\曲\\ﾃｰﾏ.mp3\r\n");
  const std::string otherSection = Sjis("\r\n[別]\r\nｷｰ=ﾃﾞｰﾀ\r\n");
  for (const char* writer : {kSimplifiedChinese, kKorean, kTraditionalChinese, kUtf8}) {
    SCOPED_TRACE(writer);
    std::map<std::string, std::string> disk;
    disk[kIniPath] = japaneseLines + otherSection;
    System writing(writer, disk);
    ExpectLoads(writing, MusicCd, 5, "");
    writing.Save(MusicCd, 9, "");
    EXPECT_EQ(disk[kIniPath],
              japaneseLines + "BGMKind= 1\r\nBGMRepeatTrack= 9\r\nBGMFile=\r\n" + otherSection);
    System japanese(kJapanese, disk);
    ExpectLoads(japanese, MusicCd, 9, "");
  }
}

// Paths of any length, in the code page or outside it, come back whole on every system: from a
// short one to one near the longest Windows holds.
TEST(SettingsKeysTest, PathsOfAnyLengthLoadBackWhole) {
  std::string japanese152 = "C:\\";
  while (japanese152.size() < 3 + 3 * 152) japanese152 += "楽";
  std::string accented2000 = "C:\\";
  while (accented2000.size() < 2000) accented2000 += "è";
  std::string nearLimit = "\\\\?\\C:\\";
  while (nearLimit.size() < 32000 * 3) nearLimit += "曲\\";
  const std::string paths[] = {kMusic, "D:\\音楽\\thème.mp3", japanese152 + ".mp3",
                               accented2000 + ".mp3", nearLimit + "a.wav"};
  for (const char* codePage : {kJapanese, kWestern, kSimplifiedChinese, kUtf8}) {
    for (const std::string& path : paths) {
      SCOPED_TRACE(std::string(codePage) + " " + std::to_string(path.size()) + " bytes");
      std::map<std::string, std::string> disk;
      System system(codePage, disk);
      system.files.readable.insert(path);
      system.Save(MusicFile, 3, path);
      ExpectLoads(system, MusicFile, 3, path);
      // A save that changes nothing writes the file again byte for byte.
      const std::string before = disk[kIniPath];
      const SettingsRecord record = system.Load();
      system.Save(record.bgmKind, record.bgmRepeatTrack, record.bgmFile);
      EXPECT_EQ(disk[kIniPath], before);
    }
  }
}

// An empty value under an ASCII name is a value: it hides an older one under the Shift-JIS name.
TEST(SettingsKeysTest, EmptyValueUnderTheAsciiNameIsKept) {
  std::map<std::string, std::string> disk;
  disk[kIniPath] = Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾌｧｲﾙ=D:\\Music\\theme.mp3\r\n") +
                   "BGMKind=\r\nBGMFile=\r\n";
  System japanese(kJapanese, disk);
  japanese.files.readable = {kMusic};
  ExpectLoads(japanese, MusicNone, 0, "");
}

}  // namespace
