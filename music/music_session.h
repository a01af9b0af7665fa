#pragma once

#include <string_view>

#include "music/mci_port.h"
#include "music/music.h"
#include "settings/settings_file.h"

// Periods of the saver window's two music timers.
inline constexpr int kCdWatchIntervalMs = 200;
inline constexpr int kMp3WatchIntervalMs = 1000;

enum class MusicFileType { Other, Wav, Mp3 };

// The type of a music file by the last three characters of its path, in any letter case:
// "WAV" and "MP3" are known, anything else (mpeg, wma, a path shorter than that) plays nothing.
MusicFileType MusicFileTypeOf(std::string_view path);

// The music of one saver run, as the saver window drives it: started when the window loads, kept
// going by the CD and MP3 timers, stopped when the window closes. After each call the window sets
// its CD timer (kCdWatchIntervalMs) to cdTimerOn() and its MP3 timer (kMp3WatchIntervalMs) to
// mp3TimerOn().
class SaverMusic {
 public:
  // `settings` is the host's settings record, loaded before the window.
  SaverMusic(MciPort& mci, const SettingsRecord& settings);

  // By bgmKind: the CD is opened and its watch switched on (the first tick starts the disc); a WAV
  // file loops by itself; an MP3 file is started and its watch switched on.
  void Start();
  // A CD timer tick: one watch tick; the watch stays on only while it meets no error.
  void OnCdTimer();
  // An MP3 timer tick: one watch tick.
  void OnMp3Timer();
  // In this order: a CD still watched is closed (one whose watch ended on an error is left alone),
  // then the WAV sound is stopped or the MP3 closed.
  void Stop();

  bool cdTimerOn() const { return cdTimerOn_; }
  bool mp3TimerOn() const { return mp3TimerOn_; }

 private:
  const SettingsRecord& settings_;
  BackgroundMusic music_;
  bool cdTimerOn_ = false;
  bool mp3TimerOn_ = false;
};
