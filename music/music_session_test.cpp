#include "music/music_session.h"

#include <gtest/gtest.h>

#include <vector>

#include "music/testing/fake_mci_port.h"

namespace {

using Commands = std::vector<std::string>;

TEST(MusicFileTypeTest, LastThreeCharactersInAnyLetterCase) {
  const struct {
    const char* path;
    MusicFileType type;
  } cases[] = {
      {"C:\\a.mp3", MusicFileType::Mp3},
      {"C:\\a.Mp3", MusicFileType::Mp3},
      {"C:\\曲.mP3", MusicFileType::Mp3},
      {"mp3", MusicFileType::Mp3},
      {"C:\\b.WAV", MusicFileType::Wav},
      {"C:\\b.wav", MusicFileType::Wav},
      {"C:\\c.wma", MusicFileType::Other},
      {"C:\\d.mpeg", MusicFileType::Other},
      {"C:\\e.ｍｐ３", MusicFileType::Other},
      {"p3", MusicFileType::Other},
      {"", MusicFileType::Other},
  };
  for (const auto& c : cases) EXPECT_EQ(MusicFileTypeOf(c.path), c.type) << c.path;
}

class SaverMusicTest : public testing::Test {
 protected:
  void UseFile(const std::string& path) {
    settings_.bgmKind = MusicFile;
    settings_.bgmFile = path;
  }

  FakeMciPort mci_;
  SettingsRecord settings_;
  SaverMusic music_{mci_, settings_};
};

TEST_F(SaverMusicTest, CdIsWatchedUntilTheEndThenStoppedAndClosed) {
  settings_.bgmKind = MusicCd;
  mci_.discTrackSeconds = {60};
  music_.Start();
  EXPECT_TRUE(music_.cdTimerOn());
  EXPECT_FALSE(music_.mp3TimerOn());
  music_.OnCdTimer();
  EXPECT_TRUE(music_.cdTimerOn());
  EXPECT_EQ(mci_.cdMode(), "playing");
  mci_.TakeCommands();

  music_.Stop();
  EXPECT_FALSE(music_.cdTimerOn());
  EXPECT_EQ(mci_.TakeCommands(), (Commands{"stop cdaudio", "close cdaudio"}));
}

TEST_F(SaverMusicTest, CdWatchThatEndedOnAnErrorIsNotClosed) {
  settings_.bgmKind = MusicCd;  // a drive without a disc
  music_.Start();
  music_.OnCdTimer();
  EXPECT_FALSE(music_.cdTimerOn());
  mci_.TakeCommands();
  music_.Stop();
  EXPECT_TRUE(mci_.TakeCommands().empty());
  EXPECT_TRUE(mci_.cdOpen());
}

TEST_F(SaverMusicTest, Mp3IsWatchedEverySecondAndClosedAtTheEnd) {
  UseFile("C:\\Music\\Theme.Mp3");
  mci_.mp3FileSeconds[settings_.bgmFile] = 2;
  music_.Start();
  EXPECT_TRUE(music_.mp3TimerOn());
  EXPECT_FALSE(music_.cdTimerOn());
  mci_.Advance(2000);
  EXPECT_EQ(mci_.mp3Mode(), "stopped");
  music_.OnMp3Timer();
  EXPECT_EQ(mci_.mp3Mode(), "playing");

  music_.Stop();
  EXPECT_FALSE(music_.mp3TimerOn());
  EXPECT_FALSE(mci_.mp3Open());
}

TEST_F(SaverMusicTest, WavLoopsAndIsStoppedAtTheEndEvenWithoutAWaveDevice) {
  UseFile("C:\\Music\\loop.wav");
  music_.Start();
  music_.Stop();
  ASSERT_EQ(mci_.sounds.size(), 2u);
  EXPECT_EQ(mci_.sounds[0].path, settings_.bgmFile);
  EXPECT_EQ(mci_.sounds[1].path, std::nullopt);

  FakeMciPort silent;
  silent.waveDevices = 0;
  SaverMusic music(silent, settings_);
  music.Start();
  EXPECT_FALSE(music.cdTimerOn() || music.mp3TimerOn());
  music.Stop();
  ASSERT_EQ(silent.sounds.size(), 1u);
  EXPECT_EQ(silent.sounds[0].path, std::nullopt);
  EXPECT_TRUE(silent.sent.empty());
}

TEST_F(SaverMusicTest, OtherFileTypesAndKindsPlayNothing) {
  const struct {
    int16_t kind;
    const char* file;
  } cases[] = {{MusicFile, "C:\\Music\\song.wma"},
               {MusicFile, "C:\\Music\\song.mpeg"},
               {MusicNone, "C:\\Music\\song.mp3"},
               {5, "C:\\Music\\song.mp3"},
               {-1, "C:\\Music\\song.wav"}};
  for (const auto& c : cases) {
    FakeMciPort mci;
    mci.discTrackSeconds = {60};
    SettingsRecord settings;
    settings.bgmKind = c.kind;
    settings.bgmFile = c.file;
    SaverMusic music(mci, settings);
    music.Start();
    EXPECT_FALSE(music.cdTimerOn() || music.mp3TimerOn()) << c.file;
    music.Stop();
    EXPECT_TRUE(mci.sent.empty()) << c.file;
    EXPECT_TRUE(mci.sounds.empty()) << c.file;
  }
}

}  // namespace
