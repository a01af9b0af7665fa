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
  FakeProfileFile profile;
  FakeFileSystem files;
  SettingsFile settings{profile, codePage, files, kProgramFolder, ""};
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

TEST(SettingsKeysTest, JapaneseFileLoadsWhereItsBytesAllow) {
  std::map<std::string, std::string> disk;
  System(kJapanese, disk).Save(MusicCd, 7, kMusic);

  System western(kWestern, disk);
  ExpectLoads(western, MusicCd, 7, kMusic);
  // Not one of the Shift-JIS names is UTF-8: a UTF-8 system finds no key and keeps the defaults.
  System utf8(kUtf8, disk);
  ExpectLoads(utf8, MusicNone, 0, "");
}

// A Japanese system saves, a Chinese one saves other values over it, the Japanese one reads those
// and saves again: each time the values last saved are the ones read, and the Japanese save leaves
// the Japanese file as it always was.
TEST(SettingsKeysTest, LastSaveWinsWhicheverSystemMadeIt) {
  std::map<std::string, std::string> disk;
  System japanese(kJapanese, disk);
  System chinese(kSimplifiedChinese, disk);

  japanese.Save(MusicCd, 3, "");
  chinese.Save(MusicFile, 9, kMusic);
  ExpectLoads(japanese, MusicFile, 9, kMusic);
  ExpectLoads(chinese, MusicFile, 9, kMusic);

  japanese.Save(MusicCd, 5, "");
  EXPECT_EQ(disk[kIniPath], Sjis("[Section]\r\nBGM区分= 1\r\nBGMﾘﾋﾟｰﾄ= 5\r\nBGMﾌｧｲﾙ=\r\n"));
  ExpectLoads(japanese, MusicCd, 5, "");
  // The kind's Shift-JIS name happens to form two characters of code page 936; the track's does
  // not, so that system is left with its default there.
  ExpectLoads(chinese, MusicCd, 0, "");
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
