#include "music/music_session.h"

#include <algorithm>

namespace {

constexpr size_t kFileTypeLength = 3;

bool SameLetters(std::string_view text, std::string_view upperCase) {
  if (text.size() != upperCase.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != upperCase[i]) return false;
  }
  return true;
}

}  // namespace

MusicFileType MusicFileTypeOf(std::string_view path) {
  const std::string_view ending = path.substr(path.size() - std::min(path.size(), kFileTypeLength));
  if (SameLetters(ending, "WAV")) return MusicFileType::Wav;
  if (SameLetters(ending, "MP3")) return MusicFileType::Mp3;
  return MusicFileType::Other;
}

SaverMusic::SaverMusic(MciPort& mci, const SettingsRecord& settings)
    : settings_(settings), music_(mci, settings) {}

void SaverMusic::Start() {
  if (settings_.bgmKind == MusicCd) {
    music_.OpenCdAudio();
    cdTimerOn_ = true;
  } else if (settings_.bgmKind == MusicFile) {
    switch (MusicFileTypeOf(settings_.bgmFile)) {
      case MusicFileType::Wav:
        music_.PlayWavLoop();
        break;
      case MusicFileType::Mp3:
        music_.OpenAndPlayMp3();
        mp3TimerOn_ = true;
        break;
      case MusicFileType::Other:
        break;
    }
  }
}

void SaverMusic::OnCdTimer() {
  music_.WatchCdAudio();
  cdTimerOn_ = music_.cdWatchActive();
}

void SaverMusic::OnMp3Timer() { music_.WatchMp3(); }

void SaverMusic::Stop() {
  if (cdTimerOn_) {
    cdTimerOn_ = false;
    music_.CloseCdAudio();
  }
  if (settings_.bgmKind != MusicFile) return;
  switch (MusicFileTypeOf(settings_.bgmFile)) {
    case MusicFileType::Wav:
      music_.StopWav();
      break;
    case MusicFileType::Mp3:
      mp3TimerOn_ = false;
      music_.CloseMp3();
      break;
    case MusicFileType::Other:
      break;
  }
}
