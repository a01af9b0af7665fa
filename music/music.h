#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "music/mci_port.h"
#include "settings/settings_file.h"

// Room for the replies, each with its terminating NUL.
inline constexpr size_t kMciReplyLength = 512;
inline constexpr size_t kMciErrorTextLength = 256;
inline constexpr size_t kCdModeReplyLength = 255;
inline constexpr size_t kMp3ModeReplyLength = 30;

// Sound-player flags: play in the background (0x0001) and loop (0x0008).
inline constexpr uint32_t kPlaySoundAsync = 0x0001;
inline constexpr uint32_t kPlaySoundLoop = 0x0008;

// The background music of one saver run: the audio CD as the device "cdaudio", an MP3 file under
// the alias "MP3Play", a WAV file through the sound player. Nothing here has a clock: the saver
// window's timers call the watch operations, which start the music again whenever it has stopped.
// All failures are silent; the replies only steer the watchdogs.
class BackgroundMusic {
 public:
  // `settings` is the host's settings record, read at each call.
  BackgroundMusic(MciPort& mci, const SettingsRecord& settings);

  // Sends one command with a 512-character reply buffer and returns its code. `reply` receives the
  // reply, the system's error text, "Error (文字列が取れません)" when there is none, or
  // "コマンド文字列が指定されていません" with the code -1 when the command is empty.
  int32_t SendMciCommand(const std::string& command, std::string& reply);
  // The reply to `command`, or "Error:" and the code in decimal when it failed; the error text
  // stays in lastReply().
  std::string QueryMci(const std::string& command);
  // Sends "play <device>", with " from <from>" and " to <to>" for the parts that are not empty.
  int32_t PlayMciDevice(const std::string& device, const std::string& from, const std::string& to);

  // Opens the CD and sets its time format; the first watch tick starts the disc.
  void OpenCdAudio();
  // One tick of the CD watchdog: plays the disc when it has stopped, or keeps it on the repeated
  // track. cdWatchActive() turns false when the tick met an error (no disc, no drive).
  void WatchCdAudio();
  void CloseCdAudio();

  // Opens bgmFile as MPEGVideo under the alias MP3Play and plays it.
  void OpenAndPlayMp3();
  bool IsMp3Playing();
  // One tick of the MP3 watchdog: an MP3 that is not playing starts again from its beginning.
  void WatchMp3();
  void CloseMp3();

  // Plays bgmFile looping in the background, when the system has a wave output device.
  void PlayWavLoop();
  void StopWav();

  bool cdWatchActive() const { return cdWatchActive_; }
  const std::string& lastReply() const { return lastReply_; }

 private:
  bool CdWatchTick();

  MciPort& mci_;
  const SettingsRecord& settings_;
  bool cdWatchActive_ = false;
  std::string lastReply_;
};
