#include "music/music.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "music/testing/fake_mci_port.h"

namespace {

using Commands = std::vector<std::string>;

constexpr char kCurrentTrack[] = "status cdaudio current track";
constexpr char kTrackCount[] = "status cdaudio number of tracks";
constexpr char kCdMode[] = "status cdaudio mode";
constexpr char kMp3Path[] = "C:\\My Music\\夜の 流星.mp3";

class MusicTest : public testing::Test {
 protected:
  // Opens the CD with the given disc in the drive and forgets the opening commands.
  void OpenCd(std::vector<int> trackSeconds, int16_t repeatTrack) {
    mci_.discTrackSeconds = std::move(trackSeconds);
    settings_.bgmRepeatTrack = repeatTrack;
    music_.OpenCdAudio();
    mci_.TakeCommands();
  }
  // 200 ms pass, then the CD timer ticks.
  Commands CdTick() {
    mci_.Advance(200);
    music_.WatchCdAudio();
    return mci_.TakeCommands();
  }

  FakeMciPort mci_;
  SettingsRecord settings_;
  BackgroundMusic music_{mci_, settings_};
};

TEST_F(MusicTest, CommandsGiveTheirReplyOrErrorText) {
  std::string reply = "old";
  EXPECT_EQ(music_.SendMciCommand("", reply), -1);
  EXPECT_EQ(reply, "コマンド文字列が指定されていません");
  EXPECT_TRUE(mci_.sent.empty());

  EXPECT_EQ(music_.SendMciCommand(kCdMode, reply), kMciErrorDeviceNotOpen);
  EXPECT_EQ(reply, "The specified device is not open or is not recognized.");
  EXPECT_EQ(mci_.errorTextLengths, std::vector<size_t>{256});

  // QueryMci gives the marker; the error text stays in the last reply.
  mci_.codesWithoutText = {kMciErrorDeviceNotOpen};
  EXPECT_EQ(music_.QueryMci(kCdMode), "Error:263");
  EXPECT_EQ(music_.lastReply(), "Error (文字列が取れません)");

  OpenCd({60, 60, 60}, 0);
  EXPECT_EQ(music_.QueryMci(kTrackCount), "3");
  EXPECT_EQ(music_.lastReply(), "3");
}

TEST_F(MusicTest, PlayCommandIsBuiltFromItsParts) {
  OpenCd({60, 60, 60}, 0);
  EXPECT_EQ(music_.PlayMciDevice("cdaudio", "2", ""), 0);
  EXPECT_EQ(mci_.cdTrack(), 2);
  EXPECT_EQ(music_.PlayMciDevice("cdaudio", "", ""), 0);
  EXPECT_EQ(music_.PlayMciDevice("cdaudio", "", "3"), 0);
  EXPECT_EQ(music_.PlayMciDevice("cdaudio", "1", "2"), 0);
  EXPECT_EQ(mci_.cdTrack(), 1);
  EXPECT_EQ(music_.PlayMciDevice("cdaudio", "7", ""), kMciErrorOutOfRange);
  EXPECT_EQ(music_.lastReply(), "The specified parameter is out of range.");
  EXPECT_EQ(mci_.TakeCommands(),
            (Commands{"play cdaudio from 2", "play cdaudio", "play cdaudio to 3",
                      "play cdaudio from 1 to 2", "play cdaudio from 7"}));
}

TEST_F(MusicTest, WholeDiscPlaysOnlyWhenStoppedAndLoops) {
  mci_.discTrackSeconds = {2, 1};
  music_.OpenCdAudio();
  EXPECT_EQ(mci_.TakeCommands(), (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
  EXPECT_EQ(mci_.cdMode(), "stopped");  // opening plays nothing

  EXPECT_EQ(CdTick(), (Commands{kCurrentTrack, kTrackCount, kCdMode, "play cdaudio"}));
  int restarts = 0;
  for (int tick = 0; tick < 30; ++tick) {  // 6 s over a 3 s disc
    const Commands sent = CdTick();
    if (sent.size() == 4 && sent[3] == "play cdaudio") {
      ++restarts;
    } else {
      EXPECT_EQ(sent, (Commands{kCurrentTrack, kTrackCount, kCdMode}));
    }
    EXPECT_EQ(mci_.cdMode(), "playing");
    EXPECT_TRUE(music_.cdWatchActive());
  }
  EXPECT_EQ(restarts, 2);
}

TEST_F(MusicTest, WholeDiscLeavesAPlayingOrPausedDiscAlone) {
  OpenCd({60, 60, 60}, 0);
  mci_.PlayCdElsewhere(3);
  EXPECT_EQ(CdTick(), (Commands{kCurrentTrack, kTrackCount, kCdMode}));
  EXPECT_EQ(mci_.cdTrack(), 3);
  mci_.PauseCd();
  EXPECT_EQ(CdTick(), (Commands{kCurrentTrack, kTrackCount, kCdMode}));
  EXPECT_EQ(mci_.cdMode(), "paused");
}

TEST_F(MusicTest, RepeatTrackJumpsBackWhenTheNextTrackBegins) {
  OpenCd({2, 3, 2}, 2);
  EXPECT_EQ(CdTick(),
            (Commands{kCurrentTrack, kTrackCount, kCdMode, "status cdaudio position track 2",
                      "play cdaudio from 02:00:00:00"}));
  int jumps = 0;
  for (int tick = 0; tick < 50; ++tick) {  // 10 s over a 3 s track
    jumps += CdTick().size() == 5;
    // At most the one tick before this one was heard of track 3.
    EXPECT_EQ(mci_.cdTrack(), 2);
    EXPECT_EQ(mci_.cdMode(), "playing");
  }
  EXPECT_EQ(jumps, 3);

  // A disc already playing another track jumps at the first tick.
  mci_.PlayCdElsewhere(1);
  CdTick();
  EXPECT_EQ(mci_.cdTrack(), 2);
}

TEST_F(MusicTest, RepeatTrackTheDiscLacksKeepsTheWatchTrying) {
  OpenCd({60, 60}, 5);
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(CdTick(),
              (Commands{kCurrentTrack, kTrackCount, kCdMode, "status cdaudio position track 5",
                        "play cdaudio from Error:282"}));
    EXPECT_TRUE(music_.cdWatchActive());
    EXPECT_EQ(mci_.cdMode(), "stopped");
  }
}

TEST_F(MusicTest, NoDiscOrNoDriveEndsTheWatchAtTheFirstTick) {
  OpenCd({}, 0);
  EXPECT_TRUE(mci_.cdOpen());
  EXPECT_EQ(CdTick(), Commands{kCurrentTrack});
  EXPECT_FALSE(music_.cdWatchActive());

  FakeMciPort noDrive;
  noDrive.hasCdDrive = false;
  BackgroundMusic music(noDrive, settings_);
  music.OpenCdAudio();
  EXPECT_FALSE(noDrive.cdOpen());
  music.WatchCdAudio();
  EXPECT_FALSE(music.cdWatchActive());
}

TEST_F(MusicTest, FailingTrackCountOrTrackThatIsNoNumberEndsTheWatch) {
  OpenCd({60, 60}, 2);
  mci_.scriptedReplies[kTrackCount] = {kMciErrorDeviceNotReady, {}};
  EXPECT_EQ(CdTick(), (Commands{kCurrentTrack, kTrackCount}));
  EXPECT_FALSE(music_.cdWatchActive());

  mci_.scriptedReplies = {{kCurrentTrack, {0, "2a"}}};
  EXPECT_EQ(CdTick(), (Commands{kCurrentTrack, kTrackCount, kCdMode}));
  EXPECT_FALSE(music_.cdWatchActive());
  mci_.scriptedReplies = {{kCurrentTrack, {0, " 2 "}}};
  mci_.PlayCdElsewhere(2);
  CdTick();
  EXPECT_TRUE(music_.cdWatchActive());
}

TEST_F(MusicTest, CloseStopsTheDiscBeforeClosingIt) {
  OpenCd({60}, 0);
  CdTick();
  music_.CloseCdAudio();
  EXPECT_EQ(mci_.TakeCommands(), (Commands{"stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(mci_.cdMode(), "stopped");  // closing alone would leave the drive playing
  EXPECT_FALSE(mci_.cdOpen());
}

TEST_F(MusicTest, Mp3WithBlanksInItsPathPlaysAndRestartsWithinOneTick) {
  mci_.mp3FileSeconds[kMp3Path] = 3;
  settings_.bgmFile = kMp3Path;
  music_.OpenAndPlayMp3();
  EXPECT_EQ(mci_.TakeCommands(),
            (Commands{"open \"C:\\My Music\\夜の 流星.mp3\" type MPEGVideo Alias MP3Play",
                      "play MP3Play"}));
  EXPECT_TRUE(music_.IsMp3Playing());
  mci_.TakeCommands();

  int restarts = 0;
  for (int second = 1; second <= 10; ++second) {
    mci_.Advance(1000);
    music_.WatchMp3();
    const Commands sent = mci_.TakeCommands();
    if (sent.size() > 1) {
      EXPECT_EQ(sent, (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
      EXPECT_EQ(mci_.mp3PositionMs(), 0);
      ++restarts;
    }
    EXPECT_EQ(mci_.mp3Mode(), "playing");
  }
  EXPECT_EQ(restarts, 3);

  music_.CloseMp3();
  EXPECT_EQ(mci_.TakeCommands(), (Commands{"stop MP3Play", "close MP3Play"}));
  EXPECT_FALSE(mci_.mp3Open());
}

TEST_F(MusicTest, Mp3ThatCannotBeOpenedPlaysNothing) {
  settings_.bgmFile = "C:\\Music\\missing.mp3";
  music_.OpenAndPlayMp3();
  EXPECT_EQ(mci_.TakeCommands().size(), 1u);  // no play after a failed open
  EXPECT_FALSE(music_.IsMp3Playing());
  music_.WatchMp3();
  EXPECT_EQ(mci_.sent.back().reply.code, kMciErrorDeviceNotOpen);
  EXPECT_FALSE(mci_.mp3Open());
}

TEST_F(MusicTest, PathThatWouldBreakTheCommandIsNotOpened) {
  for (const char* path : {"C:\\a\" type waveaudio alias MP3Play \"b.mp3", "C:\\a\r\nb.mp3"}) {
    mci_.mp3FileSeconds[path] = 3;
    settings_.bgmFile = path;
    music_.OpenAndPlayMp3();
    EXPECT_TRUE(mci_.TakeCommands().empty()) << path;
  }
}

TEST_F(MusicTest, WavLoopsOnlyWithAWaveDevice) {
  settings_.bgmFile = "D:\\音楽\\loop.wav";
  mci_.waveDevices = 0;
  music_.PlayWavLoop();
  EXPECT_TRUE(mci_.sounds.empty());
  mci_.waveDevices = 2;
  music_.PlayWavLoop();
  music_.StopWav();
  ASSERT_EQ(mci_.sounds.size(), 2u);
  EXPECT_EQ(mci_.sounds[0].path, settings_.bgmFile);
  EXPECT_EQ(mci_.sounds[0].flags, 9u);
  EXPECT_EQ(mci_.sounds[1].path, std::nullopt);
  EXPECT_EQ(mci_.sounds[1].flags, 0u);
}

// The Windows binding allocates exactly these buffers; a mode reply has 30 or 255 characters.
TEST_F(MusicTest, EachCommandGoesOutWithItsReplyBuffer) {
  mci_.discTrackSeconds = {60, 60};
  mci_.mp3FileSeconds[kMp3Path] = 1;
  settings_.bgmFile = kMp3Path;
  settings_.bgmRepeatTrack = 2;
  music_.OpenCdAudio();
  music_.WatchCdAudio();
  music_.CloseCdAudio();
  music_.OpenAndPlayMp3();
  mci_.Advance(1000);
  music_.WatchMp3();
  music_.CloseMp3();
  const std::map<std::string, size_t> expected = {
      {"open cdaudio", 0},
      {"set cdaudio time format tmsf", 0},
      {kCurrentTrack, 512},
      {kTrackCount, 512},
      {kCdMode, 255},
      {"status cdaudio position track 2", 512},
      {"play cdaudio from 02:00:00:00", 512},
      {"stop cdaudio", 0},
      {"close cdaudio", 0},
      {"open \"C:\\My Music\\夜の 流星.mp3\" type MPEGVideo Alias MP3Play", 0},
      {"play MP3Play", 0},
      {"status MP3Play mode", 30},
      {"stop MP3Play", 0},
      {"play MP3Play from 0", 0},
      {"close MP3Play", 0}};
  ASSERT_EQ(mci_.sent.size(), expected.size() + 1);  // "stop MP3Play" twice
  for (const FakeMciPort::Sent& sent : mci_.sent) {
    ASSERT_EQ(expected.count(sent.command), 1u) << sent.command;
    EXPECT_EQ(sent.replyLength, expected.at(sent.command)) << sent.command;
    EXPECT_EQ(sent.reply.code, 0) << sent.command;
  }
}

}  // namespace
