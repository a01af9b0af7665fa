#include "music/testing/fake_mci_port.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

constexpr int kFramesPerSecond = 75;
constexpr int kMsPerSecond = 1000;

std::string Lower(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  return text;
}

// Blank-separated words; a word in double quotes may hold blanks. std::nullopt when a quote is
// not closed.
std::optional<std::vector<std::string>> SplitWords(const std::string& command) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < command.size()) {
    if (command[at] == ' ') {
      ++at;
    } else if (command[at] == '"') {
      const size_t close = command.find('"', at + 1);
      if (close == std::string::npos) return std::nullopt;
      words.push_back(command.substr(at + 1, close - at - 1));
      at = close + 1;
    } else {
      const size_t end = std::min(command.find(' ', at), command.size());
      words.push_back(command.substr(at, end - at));
      at = end;
    }
  }
  return words;
}

std::optional<int> ParseCount(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The words after the device name, joined: "current track", "position track 2".
std::string Item(const std::vector<std::string>& words, size_t from) {
  std::string item;
  for (size_t i = from; i < words.size(); ++i) item += (item.empty() ? "" : " ") + Lower(words[i]);
  return item;
}

MciReply Reply(std::string text) { return {0, std::move(text)}; }
MciReply Failure(int32_t code) { return {code, {}}; }

}  // namespace

MciReply FakeMciPort::send(const std::string& command, size_t replyLength) {
  const auto words = SplitWords(command);
  const auto scripted = scriptedReplies.find(command);
  MciReply reply = scripted != scriptedReplies.end() ? scripted->second
                   : !words                          ? Failure(kMciErrorUnrecognizedKeyword)
                   : words->size() < 2               ? Failure(kMciErrorUnrecognizedCommand)
                                                     : Carry(*words);
  if (reply.code == 0 && replyLength > 0 && reply.text.size() + 1 > replyLength) {
    reply = Failure(kMciErrorParamOverflow);
  }
  if (replyLength == 0) reply.text.clear();
  sent.push_back({command, replyLength, reply});
  return reply;
}

std::optional<std::string> FakeMciPort::errorText(int32_t code, size_t bufferLength) {
  errorTextLengths.push_back(bufferLength);
  if (codesWithoutText.count(code) > 0) return std::nullopt;
  switch (code) {
    case kMciErrorDeviceNotOpen:
      return "The specified device is not open or is not recognized.";
    case kMciErrorCannotLoadDriver:
      return "The device driver cannot be loaded.";
    case kMciErrorFileNotFound:
      return "Cannot find the specified file.";
    case kMciErrorDeviceNotReady:
      return "The device is not ready.";
    case kMciErrorOutOfRange:
      return "The specified parameter is out of range.";
    default:
      return "Unknown problem while loading the specified device driver.";
  }
}

int32_t FakeMciPort::playSound(const std::optional<std::string>& path, uint32_t flags) {
  sounds.push_back({path, flags});
  return 1;
}

std::vector<std::string> FakeMciPort::TakeCommands() {
  std::vector<std::string> commands;
  for (; taken_ < sent.size(); ++taken_) commands.push_back(sent[taken_].command);
  return commands;
}

MciReply FakeMciPort::Carry(const Words& words) {
  const std::string verb = Lower(words[0]);
  if (verb == "open") return Open(words);
  const std::string device = Lower(words[1]);
  if (device == "cdaudio") return cdOpen_ ? CarryCd(words) : Failure(kMciErrorDeviceNotOpen);
  if (mp3Alias_ && device == Lower(*mp3Alias_)) return CarryMp3(words);
  return Failure(kMciErrorDeviceNotOpen);
}

MciReply FakeMciPort::Open(const Words& words) {
  std::string type;
  std::string alias;
  for (size_t i = 2; i < words.size(); i += 2) {
    const std::string keyword = Lower(words[i]);
    if (i + 1 >= words.size() || (keyword != "type" && keyword != "alias")) {
      return Failure(kMciErrorUnrecognizedKeyword);
    }
    (keyword == "type" ? type : alias) = words[i + 1];
  }
  if (Lower(words[1]) == "cdaudio" && type.empty()) {
    if (!hasCdDrive) return Failure(kMciErrorCannotLoadDriver);
    if (cdOpen_) return Failure(kMciErrorDeviceOpen);
    cdOpen_ = true;
    cdTmsf_ = false;
    return Reply({});
  }
  if (Lower(type) != "mpegvideo" || alias.empty()) return Failure(kMciErrorUnrecognizedKeyword);
  if (mp3Alias_) return Failure(kMciErrorDuplicateAlias);
  const auto file = mp3FileSeconds.find(words[1]);
  if (file == mp3FileSeconds.end()) return Failure(kMciErrorFileNotFound);
  mp3Alias_ = alias;
  mp3LengthMs_ = file->second * kMsPerSecond;
  mp3PositionMs_ = 0;
  mp3Playing_ = false;
  return Reply({});
}

MciReply FakeMciPort::CarryCd(const Words& words) {
  const std::string verb = Lower(words[0]);
  const std::string item = Item(words, 2);
  if (verb == "close" && item.empty()) {
    cdOpen_ = false;  // the drive plays on: closing does not stop it
    return Reply({});
  }
  if (verb == "set" && (item == "time format tmsf" || item == "time format msf")) {
    cdTmsf_ = item == "time format tmsf";
    return Reply({});
  }
  if (verb == "status" && item == "mode") return Reply(cdMode());
  if (discTrackSeconds.empty()) return Failure(kMciErrorDeviceNotReady);
  const int trackCount = static_cast<int>(discTrackSeconds.size());

  if (verb == "status") {
    if (item == "current track") return Reply(std::to_string(cdTrack()));
    if (item == "number of tracks") return Reply(std::to_string(trackCount));
    if (item == "position") return Reply(FormatCdPosition(cdPositionMs_));
    if (item.rfind("position track ", 0) == 0 && words.size() == 5) {
      const std::optional<int> track = ParseCount(words[4]);
      if (!track) return Failure(kMciErrorBadInteger);
      if (*track < 1 || *track > trackCount) return Failure(kMciErrorOutOfRange);
      return Reply(FormatCdPosition(TrackStartMs(*track)));
    }
    return Failure(kMciErrorUnrecognizedKeyword);
  }
  if (verb == "stop" && item.empty()) {
    cdMode_ = CdMode::Stopped;
    return Reply({});
  }
  if (verb == "play") {
    int from = cdPositionMs_;
    int to = DiscLengthMs();
    for (size_t i = 2; i < words.size(); i += 2) {
      const std::string keyword = Lower(words[i]);
      if (i + 1 >= words.size() || (keyword != "from" && keyword != "to")) {
        return Failure(kMciErrorUnrecognizedKeyword);
      }
      const std::optional<int> position = ParseCdPosition(words[i + 1]);
      if (!position) return Failure(kMciErrorBadInteger);
      if (*position < 0 || *position > DiscLengthMs()) return Failure(kMciErrorOutOfRange);
      (keyword == "from" ? from : to) = *position;
    }
    if (to < from) return Failure(kMciErrorOutOfRange);
    cdPositionMs_ = from;
    cdEndMs_ = to;
    cdMode_ = CdMode::Playing;
    return Reply({});
  }
  return Failure(kMciErrorUnrecognizedCommand);
}

MciReply FakeMciPort::CarryMp3(const Words& words) {
  const std::string verb = Lower(words[0]);
  const std::string item = Item(words, 2);
  if (verb == "status" && item == "mode") return Reply(mp3Mode());
  if (verb == "stop" && item.empty()) {
    mp3Playing_ = false;
    return Reply({});
  }
  if (verb == "play" && (item.empty() || item == "from 0")) {
    if (!item.empty()) mp3PositionMs_ = 0;
    mp3Playing_ = mp3PositionMs_ < mp3LengthMs_;
    return Reply({});
  }
  if (verb == "close" && item.empty()) {
    mp3Alias_.reset();
    mp3Playing_ = false;
    return Reply({});
  }
  return Failure(kMciErrorUnrecognizedKeyword);
}

void FakeMciPort::Advance(int milliseconds) {
  if (cdMode_ == CdMode::Playing) {
    cdPositionMs_ += milliseconds;
    if (cdPositionMs_ >= cdEndMs_) {
      cdMode_ = CdMode::Stopped;
      cdPositionMs_ = cdEndMs_ >= DiscLengthMs() ? 0 : cdEndMs_;
    }
  }
  if (mp3Playing_) {
    mp3PositionMs_ = std::min(mp3PositionMs_ + milliseconds, mp3LengthMs_);
    mp3Playing_ = mp3PositionMs_ < mp3LengthMs_;
  }
}

void FakeMciPort::PlayCdElsewhere(int track) {
  cdPositionMs_ = TrackStartMs(track);
  cdEndMs_ = DiscLengthMs();
  cdMode_ = CdMode::Playing;
}

void FakeMciPort::PauseCd() { cdMode_ = CdMode::Paused; }

std::string FakeMciPort::cdMode() const {
  if (discTrackSeconds.empty()) return "not ready";
  switch (cdMode_) {
    case CdMode::Playing:
      return "playing";
    case CdMode::Paused:
      return "paused";
    case CdMode::Stopped:
      break;
  }
  return "stopped";
}

int FakeMciPort::TrackAt(int ms) const {
  int track = 1;
  const int count = static_cast<int>(discTrackSeconds.size());
  while (track < count && TrackStartMs(track + 1) <= ms) ++track;
  return track;
}

int FakeMciPort::TrackStartMs(int track) const {
  return std::accumulate(discTrackSeconds.begin(), discTrackSeconds.begin() + (track - 1), 0) *
         kMsPerSecond;
}

int FakeMciPort::DiscLengthMs() const {
  return TrackStartMs(static_cast<int>(discTrackSeconds.size()) + 1);
}

// "TT:MM:SS:FF" within a track in the tmsf time format, "MM:SS:FF" on the disc in msf; fields
// left off at the end count as 0. A track the disc lacks gives a position outside it.
std::optional<int> FakeMciPort::ParseCdPosition(const std::string& text) const {
  std::vector<int> fields;
  size_t at = 0;
  while (true) {
    const size_t colon = std::min(text.find(':', at), text.size());
    const std::optional<int> field = ParseCount(text.substr(at, colon - at));
    if (!field) return std::nullopt;
    fields.push_back(*field);
    if (colon == text.size()) break;
    at = colon + 1;
  }
  const size_t firstTime = cdTmsf_ ? 1 : 0;
  if (fields.size() > firstTime + 3) return std::nullopt;
  fields.resize(firstTime + 3, 0);
  int base = 0;
  if (cdTmsf_) {
    if (fields[0] < 1 || fields[0] > static_cast<int>(discTrackSeconds.size())) return -1;
    base = TrackStartMs(fields[0]);
  }
  return base + (fields[firstTime] * 60 + fields[firstTime + 1]) * kMsPerSecond +
         fields[firstTime + 2] * kMsPerSecond / kFramesPerSecond;
}

std::string FakeMciPort::FormatCdPosition(int ms) const {
  const int track = TrackAt(ms);
  const int within = cdTmsf_ ? ms - TrackStartMs(track) : ms;
  const int seconds = within / kMsPerSecond;
  const int frames = within % kMsPerSecond * kFramesPerSecond / kMsPerSecond;
  char text[16];
  if (cdTmsf_) {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", track, seconds / 60, seconds % 60,
                  frames);
  } else {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 60, seconds % 60, frames);
  }
  return text;
}
