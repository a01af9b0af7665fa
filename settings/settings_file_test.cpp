#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "settings/testing/fake_file_system.h"
#include "settings/testing/fake_profile_file.h"
#include "settings/testing/iconv_code_page.h"

namespace {

constexpr char kProgramFolder[] = "C:\\Program Files\\ミレボラ";
constexpr char kIniPath[] = "C:\\Program Files\\ミレボラ\\ミレボラ.ini";
constexpr char kUserFolder[] = "C:\\Users\\a\\AppData\\Roaming\\ミレボラ";

std::string Sjis(const std::string& text) { return IconvConvert(text, "UTF-8", "CP932").value(); }

class SettingsFileTest : public testing::Test {
 protected:
  explicit SettingsFileTest(const char* codePage = "CP932") : codePage_(codePage) {}

  // Puts the file's bytes in place, as another program or an earlier version wrote them.
  void StoreFile(const std::string& lines) { profile_.files[kIniPath] = lines; }
  std::string StoredFile() { return profile_.files[kIniPath]; }

  SettingsRecord Load(SettingsRecord record = {}) {
    settings_.LoadSettings(record);
    return record;
  }

  IconvCodePage codePage_;
  IconvCodePage shiftJis_{"CP932"};
  FakeProfileFile profile_{codePage_};
  FakeFileSystem files_{profile_};
  SettingsFile settings_{profile_, codePage_, shiftJis_, files_, kProgramFolder, kUserFolder};
};

class WesternSettingsFileTest : public SettingsFileTest {
 protected:
  WesternSettingsFileTest() : SettingsFileTest("CP1252") {}
};

TEST_F(SettingsFileTest, MissingFileOrKeysGiveTheDefaults) {
  SettingsRecord previous;
  previous.bgmKind = MusicCd;
  previous.bgmRepeatTrack = 7;
  previous.bgmFile = "D:\\old.mp3";
  for (const std::string& contents :
       {std::string(), std::string("[Section]\r\n"), Sjis("[Other]\r\nBGM区分= 1\r\n")}) {
    if (contents.empty()) {
      profile_.files.clear();
    } else {
      StoreFile(contents);
    }
    const SettingsRecord record = Load(previous);
    EXPECT_EQ(record.bgmKind, MusicNone);
    EXPECT_EQ(record.bgmRepeatTrack, 0);
    EXPECT_EQ(record.bgmFile, "");
    EXPECT_EQ(record.fileDialogFolder, kProgramFolder);
  }
}

TEST_F(SettingsFileTest, FileWrittenOnAJapaneseSystemLoads) {
  files_.readable = {"D:\\音楽\\テーマ.mp3"};
  StoreFile(Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 12\r\nBGMﾌｧｲﾙ=D:\\音楽\\テーマ.mp3\r\n"));
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicFile);
  EXPECT_EQ(record.bgmRepeatTrack, 12);
  EXPECT_EQ(record.bgmFile, "D:\\音楽\\テーマ.mp3");
  EXPECT_EQ(record.fileDialogFolder, "D:\\音楽");
}

TEST_F(SettingsFileTest, SaveWritesTheThreeKeysInOrder) {
  SettingsRecord record;
  record.bgmKind = MusicFile;
  record.bgmFile = "D:\\Music\\theme.mp3";
  EXPECT_EQ(settings_.SaveSettings(record), SavedTo::ProgramFolder);
  EXPECT_EQ(StoredFile(),
            Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 0\r\nBGMﾌｧｲﾙ=D:\\Music\\theme.mp3\r\n"));
}

TEST_F(SettingsFileTest, NumbersAreWrittenWithABlankInPlaceOfThePlusSign) {
  const std::pair<int16_t, const char*> cases[] = {
      {1, " 1"}, {0, " 0"}, {12, " 12"}, {-1, "-1"}, {32767, " 32767"}, {-32768, "-32768"}};
  for (const auto& [value, written] : cases) {
    SettingsRecord record;
    record.bgmRepeatTrack = value;
    settings_.SaveSettings(record);
    EXPECT_NE(StoredFile().find(Sjis("BGMﾘﾋﾟｰﾄ=") + written + "\r\n"), std::string::npos) << value;
    EXPECT_EQ(Load().bgmRepeatTrack, value);
  }
}

TEST_F(SettingsFileTest, StoredNumbersReadAsTheirIntegerPartRoundedDown) {
  constexpr int16_t kBefore = 7;
  // clang-format off
  const std::pair<const char*, int16_t> cases[] = {
      {" 1", 1}, {"1.9", 1}, {"-0.5", -1}, {"+3", 3}, {" 2 ", 2}, {"1e2", 100},
      {"32767", 32767}, {"-32768", -32768},  // the ends of the 16-bit range
      {"", 0},                               // empty: the default, not the previous value
      {"abc", kBefore}, {"1x", kBefore}, {"1 2", kBefore}, {".", kBefore}, {"0x10", kBefore},
      {"32768", kBefore}, {"-32768.5", kBefore}, {"1e999", kBefore},
  };
  // clang-format on

  for (const auto& [stored, expected] : cases) {
    StoreFile(Sjis("[Section]\r\nBGMﾘﾋﾟｰﾄ=") + stored + "\r\n");
    SettingsRecord before;
    before.bgmRepeatTrack = kBefore;
    EXPECT_EQ(Load(before).bgmRepeatTrack, expected) << '"' << stored << '"';
  }
}

TEST_F(SettingsFileTest, KindFollowsTheSameNumberRules) {
  StoreFile(Sjis("[Section]\r\nBGM区分=1.9\r\n"));
  EXPECT_EQ(Load().bgmKind, MusicCd);
  StoreFile(Sjis("[Section]\r\nBGM区分=-0.5\r\n"));
  EXPECT_EQ(Load().bgmKind, -1);
  StoreFile(Sjis("[Section]\r\nBGM区分=abc\r\n"));
  EXPECT_EQ(Load().bgmKind, MusicNone);
}

TEST_F(SettingsFileTest, OtherKindsAreKeptAsTheyAre) {
  StoreFile(Sjis("[Section]\r\nBGM区分= 5\r\nBGMﾘﾋﾟｰﾄ= 99\r\n"));
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, 5);
  EXPECT_EQ(record.bgmRepeatTrack, 99);
}

TEST_F(SettingsFileTest, MusicFileThatIsGoneIsDroppedOnlyInMemory) {
  const std::string stored = Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾌｧｲﾙ=D:\\gone.mp3\r\n");
  StoreFile(stored);
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicNone);
  EXPECT_EQ(record.bgmFile, "");
  EXPECT_EQ(record.fileDialogFolder, kProgramFolder);
  EXPECT_EQ(StoredFile(), stored);
}

TEST_F(SettingsFileTest, CdMusicStaysWhenTheFileIsGone) {
  StoreFile(Sjis("[Section]\r\nBGM区分= 1\r\nBGMﾘﾋﾟｰﾄ= 3\r\nBGMﾌｧｲﾙ=D:\\gone.mp3\r\n"));
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicCd);
  EXPECT_EQ(record.bgmRepeatTrack, 3);
  EXPECT_EQ(record.bgmFile, "");
}

TEST_F(SettingsFileTest, FileMusicWithoutAFileFallsBackToNone) {
  StoreFile(Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾌｧｲﾙ=\r\n"));
  EXPECT_EQ(Load().bgmKind, MusicNone);
}

TEST_F(SettingsFileTest, StoredPathWithTrailingBackslashIsTestedWithout) {
  files_.readable = {"D:\\a.mp3"};
  StoreFile(Sjis("[Section]\r\nBGMﾌｧｲﾙ=D:\\a.mp3\\\r\n"));
  const SettingsRecord record = Load();
  EXPECT_EQ(files_.asked.back(), "D:\\a.mp3");
  EXPECT_EQ(record.bgmFile, "D:\\a.mp3\\");
  EXPECT_EQ(record.fileDialogFolder, "D:\\a.mp3");
}

TEST_F(WesternSettingsFileTest, PathOutsideTheCodePageLoadsBackUnchanged) {
  const std::string path = "D:\\音楽\\thème.mp3";
  files_.readable = {path};
  SettingsRecord saved;
  saved.bgmKind = MusicFile;
  saved.bgmRepeatTrack = 4;
  saved.bgmFile = path;
  EXPECT_EQ(settings_.SaveSettings(saved), SavedTo::ProgramFolder);
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicFile);
  EXPECT_EQ(record.bgmRepeatTrack, 4);
  EXPECT_EQ(record.bgmFile, path);
  EXPECT_EQ(record.fileDialogFolder, "D:\\音楽");
}

TEST_F(WesternSettingsFileTest, ValuesLongerThan255BytesLoadBackWhole) {
  const std::string folder = "C:\\";
  for (const size_t length : {254, 255, 256, 257, 1023, 1024, 1025, 5000}) {
    const std::string path = folder + std::string(length - folder.size(), 'a');
    files_.readable = {path};
    SettingsRecord record;
    record.bgmKind = MusicFile;
    record.bgmFile = path;
    settings_.SaveSettings(record);
    EXPECT_NE(StoredFile().find("=" + path + "\r\n"), std::string::npos) << length;
    EXPECT_EQ(Load().bgmFile, path) << length;
  }
}

// A music file on a drive that is not there now is not played, but the file keeps naming it, so
// that it plays again once the drive is back; a new choice of music replaces it.
TEST_F(SettingsFileTest, MusicFileThatCannotBeOpenedIsKeptBySave) {
  const std::string stored =
      Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 3\r\nBGMﾌｧｲﾙ=Q:\\音楽\\曲.mp3\r\n");
  StoreFile(stored);
  SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicNone);
  EXPECT_EQ(record.bgmFile, "");
  ASSERT_TRUE(record.unopenedMusic);
  EXPECT_EQ(record.unopenedMusic->kind, MusicFile);
  EXPECT_EQ(record.unopenedMusic->file, "Q:\\音楽\\曲.mp3");
  EXPECT_EQ(settings_.SaveSettings(record), SavedTo::ProgramFolder);
  EXPECT_EQ(StoredFile(), stored);

  record.bgmRepeatTrack = 4;  // a change that is not one of the music choice
  settings_.SaveSettings(record);
  EXPECT_EQ(StoredFile(),
            Sjis("[Section]\r\nBGM区分= 2\r\nBGMﾘﾋﾟｰﾄ= 4\r\nBGMﾌｧｲﾙ=Q:\\音楽\\曲.mp3\r\n"));

  files_.readable = {"Q:\\音楽\\曲.mp3"};  // the drive is back
  record = Load();
  EXPECT_EQ(record.bgmKind, MusicFile);
  EXPECT_EQ(record.bgmFile, "Q:\\音楽\\曲.mp3");
  EXPECT_FALSE(record.unopenedMusic);
}

// Thirty Japanese characters take 270 bytes in the escaped form an English system stores.
TEST_F(WesternSettingsFileTest, LongPathOutsideTheCodePageLoadsBackWhole) {
  std::string path = "C:\\音楽\\";
  for (int i = 0; i < 30; ++i) path += "曲";
  path += ".mp3";
  files_.readable = {path};
  SettingsRecord saved;
  saved.bgmKind = MusicFile;
  saved.bgmFile = path;
  ASSERT_EQ(settings_.SaveSettings(saved), SavedTo::ProgramFolder);
  ASSERT_GT(StoredFile().size(), 300u);
  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmFile, path);
  EXPECT_EQ(record.bgmKind, MusicFile);
}

TEST(IniValueTest, LongSectionAndKeyNamesAreCutTo127Bytes) {
  FakeProfileFile profile;
  const std::string section(130, 's');
  const std::string key(200, 'k');
  EXPECT_TRUE(WriteIniValue(profile, section, key, "v", "x.ini"));
  EXPECT_EQ(ReadIniValue(profile, section.substr(0, 127), key.substr(0, 127), "x.ini"), "v");
  EXPECT_EQ(ReadIniValue(profile, section.substr(0, 128), key.substr(0, 128), "x.ini"), "");
}

TEST(FolderOfPathTest, FolderEndsBeforeTheLastColonOrBackslash) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Music\\a.mp3", "C:\\Music"},
      {"C:\\a.mp3", "C:"},
      {"C:a.mp3", "C:"},
      {"a.mp3", ""},
      {"\\\\server\\share\\a.wav", "\\\\server\\share"},
      {"D:\\音楽\\thème.mp3", "D:\\音楽"},
      {"D:\\ソフト\\a.mp3", "D:\\ソフト"},
      {"C:\\Music\\", "C:\\Music"},
      {"", ""},
  };
  for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOfPath(path), folder) << path;
}

TEST(FileExistsTest, OneTrailingBackslashIsIgnored) {
  FakeProfileFile profile;
  FakeFileSystem files(profile);
  files.readable = {"D:\\a.mp3", "D:\\b.mp3\\"};
  EXPECT_TRUE(FileExists("D:\\a.mp3", files));
  EXPECT_TRUE(FileExists("D:\\a.mp3\\", files));
  EXPECT_FALSE(FileExists("D:\\a.mp3\\\\", files));
  EXPECT_FALSE(FileExists("D:\\b.mp3\\", files));
}

}  // namespace
