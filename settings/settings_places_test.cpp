// Where the settings file is kept: beside the program, or per user when that cannot be written.
#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "settings/testing/fake_file_system.h"
#include "settings/testing/fake_profile_file.h"
#include "settings/testing/iconv_code_page.h"

namespace {

constexpr char kProgramFolder[] = "C:\\Program Files\\ミレボラ";
constexpr char kProgramIni[] = "C:\\Program Files\\ミレボラ\\ミレボラ.ini";
constexpr char kApplicationData[] = "C:\\Users\\a\\AppData\\Roaming";
constexpr char kUserFolder[] = "C:\\Users\\a\\AppData\\Roaming\\ミレボラ";
constexpr char kUserIni[] = "C:\\Users\\a\\AppData\\Roaming\\ミレボラ\\ミレボラ.ini";

std::string Sjis(const std::string& text) { return IconvConvert(text, "UTF-8", "CP932").value(); }

std::string JapaneseFile(int kind, int track) {
  return Sjis("[Section]\r\nBGM区分= " + std::to_string(kind) +
              "\r\nBGMﾘﾋﾟｰﾄ= " + std::to_string(track) + "\r\nBGMﾌｧｲﾙ=\r\n");
}

class SettingsPlacesTest : public testing::Test {
 protected:
  SettingsRecord CdTrack(int16_t track) {
    SettingsRecord record;
    record.bgmKind = MusicCd;
    record.bgmRepeatTrack = track;
    return record;
  }

  SettingsRecord Load() {
    SettingsRecord record;
    settings_.LoadSettings(record);
    return record;
  }

  IconvCodePage codePage_{"CP932"};
  FakeProfileFile profile_{codePage_};
  FakeFileSystem files_{profile_};
  SettingsFile settings_{profile_, codePage_,      codePage_,
                         files_,   kProgramFolder, UserSettingsFolder(kApplicationData)};
};

TEST_F(SettingsPlacesTest, TheProgramFolderIsUsedWhileItCanBeWritten) {
  EXPECT_EQ(settings_.userSettingsFilePath(), kUserIni);
  EXPECT_EQ(settings_.SaveSettings(CdTrack(4)), SavedTo::ProgramFolder);
  EXPECT_EQ(profile_.files[kProgramIni], JapaneseFile(1, 4));
  EXPECT_EQ(profile_.files.count(kUserIni), 0u);
  EXPECT_TRUE(files_.folders.empty());
}

TEST_F(SettingsPlacesTest, ReadOnlyProgramFolderSavesPerUserAndLoadsThatBack) {
  profile_.files[kProgramIni] = JapaneseFile(0, 2);
  profile_.unwritable = {kProgramIni};
  EXPECT_EQ(settings_.SaveSettings(CdTrack(7)), SavedTo::UserFolder);
  EXPECT_EQ(files_.folders, std::set<std::string>{kUserFolder});
  EXPECT_EQ(profile_.files[kUserIni], JapaneseFile(1, 7));
  EXPECT_EQ(profile_.files[kProgramIni], JapaneseFile(0, 2));

  const SettingsRecord record = Load();
  EXPECT_EQ(record.bgmKind, MusicCd);
  EXPECT_EQ(record.bgmRepeatTrack, 7);
  EXPECT_EQ(record.fileDialogFolder, kProgramFolder);
}

// Once there is a per-user file, loading reads it, so saving must go there too: a save to the
// program folder would never be read.
TEST_F(SettingsPlacesTest, PerUserFileOnceThereIsWhereSavesGo) {
  profile_.files[kUserIni] = JapaneseFile(1, 7);
  profile_.files[kProgramIni] = JapaneseFile(0, 2);
  EXPECT_EQ(Load().bgmRepeatTrack, 7);

  EXPECT_EQ(settings_.SaveSettings(CdTrack(9)), SavedTo::UserFolder);
  EXPECT_EQ(profile_.files[kUserIni], JapaneseFile(1, 9));
  EXPECT_EQ(profile_.files[kProgramIni], JapaneseFile(0, 2));
  EXPECT_EQ(Load().bgmRepeatTrack, 9);
}

TEST_F(SettingsPlacesTest, NoPlaceToWriteIsReported) {
  profile_.unwritable = {kProgramIni};
  files_.uncreatable = {kUserFolder};
  EXPECT_EQ(settings_.SaveSettings(CdTrack(7)), SavedTo::Nowhere);

  files_.uncreatable.clear();
  profile_.unwritable = {kProgramIni, kUserIni};
  EXPECT_EQ(settings_.SaveSettings(CdTrack(7)), SavedTo::Nowhere);

  // A per-user file that cannot be written is not passed over for the program folder, whose file
  // loading would not read.
  profile_.files[kUserIni] = JapaneseFile(0, 1);
  profile_.unwritable = {kUserIni};
  EXPECT_EQ(settings_.SaveSettings(CdTrack(7)), SavedTo::Nowhere);
  EXPECT_EQ(profile_.files.count(kProgramIni), 0u);
}

TEST(SettingsPlacesWithoutUserFolderTest, ProgramFolderAlone) {
  IconvCodePage codePage("CP932");
  FakeProfileFile profile(codePage);
  FakeFileSystem files(profile);
  SettingsFile settings(profile, codePage, codePage, files, kProgramFolder, UserSettingsFolder(""));
  profile.unwritable = {kProgramIni};
  SettingsRecord record;
  EXPECT_EQ(settings.SaveSettings(record), SavedTo::Nowhere);
  EXPECT_TRUE(files.folders.empty());
  EXPECT_TRUE(profile.files.empty());
}

}  // namespace
