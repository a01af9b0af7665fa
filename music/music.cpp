#include "music/music.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr char kEmptyCommandReply[] = "コマンド文字列が指定されていません";
constexpr char kNoErrorTextReply[] = "Error (文字列が取れません)";
constexpr char kErrorMarker[] = "Error:";
constexpr int32_t kEmptyCommandCode = -1;

// The command strings, exactly as the devices are addressed.
constexpr char kCdDevice[] = "cdaudio";
constexpr char kCdOpen[] = "open cdaudio";
constexpr char kCdSetTimeFormat[] = "set cdaudio time format tmsf";
constexpr char kCdCurrentTrack[] = "status cdaudio current track";
constexpr char kCdTrackCount[] = "status cdaudio number of tracks";
constexpr char kCdMode[] = "status cdaudio mode";
constexpr char kCdTrackPosition[] = "status cdaudio position track ";
constexpr char kCdStop[] = "stop cdaudio";
constexpr char kCdClose[] = "close cdaudio";
constexpr char kMp3OpenStart[] = "open \"";
constexpr char kMp3OpenEnd[] = "\" type MPEGVideo Alias MP3Play";
constexpr char kMp3Play[] = "play MP3Play";
constexpr char kMp3Mode[] = "status MP3Play mode";
constexpr char kMp3Stop[] = "stop MP3Play";
constexpr char kMp3Restart[] = "play MP3Play from 0";
constexpr char kMp3Close[] = "close MP3Play";
constexpr char kPlay[] = "play ";
constexpr char kFrom[] = " from ";
constexpr char kTo[] = " to ";

// Device modes; only the first seven characters of a mode reply are compared.
constexpr std::string_view kModeStopped = "stopped";
constexpr std::string_view kModePlaying = "playing";
constexpr size_t kModeCompareLength = 7;

bool ModeIs(const std::string& reply, std::string_view mode) {
  return std::string_view(reply).substr(0, kModeCompareLength) == mode;
}

// A reply that names an error: "ERR" anywhere, in any letter case.
bool ReportsError(const std::string& reply) {
  for (size_t at = 0; at + 3 <= reply.size(); ++at) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    if (upper(reply[at]) == 'E' && upper(reply[at + 1]) == 'R' && upper(reply[at + 2]) == 'R') {
      return true;
    }
  }
  return false;
}

// A track number as the device reports it: decimal digits, perhaps with a minus sign, blanks
// around them allowed; std::nullopt for anything else.
std::optional<long> ParseTrackNumber(std::string_view text) {
  const size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  text = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
  long number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return number;
}

// A path with a double quote or a control character cannot name a file, and would end the quoted
// path early or cut the command: such a file is not opened at all.
bool FitsInQuotes(const std::string& path) {
  for (const char c : path) {
    if (c == '"' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

}  // namespace

BackgroundMusic::BackgroundMusic(MciPort& mci, const SettingsRecord& settings)
    : mci_(mci), settings_(settings) {}

int32_t BackgroundMusic::SendMciCommand(const std::string& command, std::string& reply) {
  if (command.empty()) {
    reply = kEmptyCommandReply;
    return kEmptyCommandCode;
  }
  MciReply result = mci_.send(command, kMciReplyLength);
  if (result.code == 0) {
    reply = std::move(result.text);
    return 0;
  }
  reply = mci_.errorText(result.code, kMciErrorTextLength).value_or(kNoErrorTextReply);
  return result.code;
}

std::string BackgroundMusic::QueryMci(const std::string& command) {
  const int32_t code = SendMciCommand(command, lastReply_);
  if (code != 0) return kErrorMarker + std::to_string(code);
  return lastReply_;
}

int32_t BackgroundMusic::PlayMciDevice(const std::string& device, const std::string& from,
                                       const std::string& to) {
  std::string command = kPlay + device;
  if (!from.empty()) command += kFrom + from;
  if (!to.empty()) command += kTo + to;
  return SendMciCommand(command, lastReply_);
}

void BackgroundMusic::OpenCdAudio() {
  mci_.send(kCdOpen, 0);
  mci_.send(kCdSetTimeFormat, 0);
}

void BackgroundMusic::WatchCdAudio() { cdWatchActive_ = CdWatchTick(); }

// One watch tick; false when it met an error and the watch should end.
bool BackgroundMusic::CdWatchTick() {
  const std::string current = QueryMci(kCdCurrentTrack);
  if (ReportsError(current)) return false;
  if (ReportsError(QueryMci(kCdTrackCount))) return false;
  // A mode query that fails tells nothing, so it counts as "not stopped".
  const MciReply mode = mci_.send(kCdMode, kCdModeReplyLength);
  const bool stopped = mode.code == 0 && ModeIs(mode.text, kModeStopped);

  const int16_t repeatTrack = settings_.bgmRepeatTrack;
  if (repeatTrack == 0) {
    // The whole disc: play on from where the device stands whenever it has stopped.
    if (stopped) PlayMciDevice(kCdDevice, "", "");
    return true;
  }
  const std::optional<long> currentTrack = ParseTrackNumber(current);
  if (!currentTrack) return false;
  // One track: start it when the disc stands still, jump back when a later track has begun. A
  // track the disc lacks makes the position query and the play fail; the watch keeps trying.
  if (stopped || *currentTrack != repeatTrack) {
    const std::string start = QueryMci(kCdTrackPosition + std::to_string(repeatTrack));
    PlayMciDevice(kCdDevice, start, "");
  }
  return true;
}

void BackgroundMusic::CloseCdAudio() {
  mci_.send(kCdStop, 0);
  mci_.send(kCdClose, 0);
}

void BackgroundMusic::OpenAndPlayMp3() {
  if (!FitsInQuotes(settings_.bgmFile)) return;
  if (mci_.send(kMp3OpenStart + settings_.bgmFile + kMp3OpenEnd, 0).code == 0) {
    mci_.send(kMp3Play, 0);
  }
}

bool BackgroundMusic::IsMp3Playing() {
  const MciReply mode = mci_.send(kMp3Mode, kMp3ModeReplyLength);
  return mode.code == 0 && ModeIs(mode.text, kModePlaying);
}

void BackgroundMusic::WatchMp3() {
  if (IsMp3Playing()) return;
  mci_.send(kMp3Stop, 0);
  mci_.send(kMp3Restart, 0);
}

void BackgroundMusic::CloseMp3() {
  mci_.send(kMp3Stop, 0);
  mci_.send(kMp3Close, 0);
}

void BackgroundMusic::PlayWavLoop() {
  if (mci_.countWaveDevices() > 0) {
    mci_.playSound(settings_.bgmFile, kPlaySoundAsync | kPlaySoundLoop);
  }
}

void BackgroundMusic::StopWav() { mci_.playSound(std::nullopt, 0); }
