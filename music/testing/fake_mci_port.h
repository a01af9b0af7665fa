#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "music/mci_port.h"

// MCI error codes, numbered as the system numbers them.
inline constexpr int32_t kMciErrorUnrecognizedKeyword = 259;
inline constexpr int32_t kMciErrorUnrecognizedCommand = 261;
inline constexpr int32_t kMciErrorDeviceNotOpen = 263;  // not open or not recognised
inline constexpr int32_t kMciErrorDeviceOpen = 265;
inline constexpr int32_t kMciErrorCannotLoadDriver = 266;
inline constexpr int32_t kMciErrorParamOverflow = 268;
inline constexpr int32_t kMciErrorBadInteger = 270;
inline constexpr int32_t kMciErrorFileNotFound = 275;
inline constexpr int32_t kMciErrorDeviceNotReady = 276;
inline constexpr int32_t kMciErrorOutOfRange = 282;
inline constexpr int32_t kMciErrorDuplicateAlias = 289;

// A scripted MCI for tests: a CD drive (device "cdaudio") and MPEGVideo files opened under an
// alias, which play on as the test lets time pass, and a sound player. It understands the command
// strings the way MCI parses them (blank-separated words, a quoted word may hold blanks, keywords
// and names in any letter case), answers with the replies and error codes a device gives, and
// records every call.
class FakeMciPort : public MciPort {
 public:
  struct Sent {
    std::string command;
    size_t replyLength;
    MciReply reply;
  };
  struct Sound {
    std::optional<std::string> path;
    uint32_t flags;
  };

  MciReply send(const std::string& command, size_t replyLength) override;
  std::optional<std::string> errorText(int32_t code, size_t bufferLength) override;
  uint32_t countWaveDevices() override { return waveDevices; }
  int32_t playSound(const std::optional<std::string>& path, uint32_t flags) override;

  // The script. A drive without a disc opens but is not ready; at the end of the disc the drive
  // stops and goes back to the start of track 1.
  bool hasCdDrive = true;
  std::vector<int> discTrackSeconds;          // the disc in the drive; empty: no disc
  std::map<std::string, int> mp3FileSeconds;  // files MPEGVideo can open, by path, with lengths
  uint32_t waveDevices = 1;
  std::set<int32_t> codesWithoutText;  // error codes the system has no text for
  // Answers given instead of the device's own, as a faulty drive or driver gives them.
  std::map<std::string, MciReply> scriptedReplies;

  // Lets time pass: playing devices move on and stop at their end.
  void Advance(int milliseconds);
  // Another program has the disc playing from the start of `track`.
  void PlayCdElsewhere(int track);
  void PauseCd();

  // What was called, in order.
  std::vector<Sent> sent;
  std::vector<size_t> errorTextLengths;
  std::vector<Sound> sounds;
  // The command strings sent since the last call.
  std::vector<std::string> TakeCommands();

  // The devices now.
  bool cdOpen() const { return cdOpen_; }
  std::string cdMode() const;
  int cdTrack() const { return TrackAt(cdPositionMs_); }  // the track being played, from 1
  bool mp3Open() const { return mp3Alias_.has_value(); }
  std::string mp3Mode() const { return mp3Playing_ ? "playing" : "stopped"; }
  int mp3PositionMs() const { return mp3PositionMs_; }

 private:
  enum class CdMode { Stopped, Playing, Paused };
  using Words = std::vector<std::string>;

  MciReply Carry(const Words& words);
  MciReply Open(const Words& words);
  MciReply CarryCd(const Words& words);
  MciReply CarryMp3(const Words& words);
  std::optional<int> ParseCdPosition(const std::string& text) const;
  std::string FormatCdPosition(int ms) const;
  int TrackAt(int ms) const;
  int TrackStartMs(int track) const;
  int DiscLengthMs() const;

  size_t taken_ = 0;
  bool cdOpen_ = false;
  bool cdTmsf_ = false;
  CdMode cdMode_ = CdMode::Stopped;
  int cdPositionMs_ = 0;
  int cdEndMs_ = 0;  // where the current play stops
  std::optional<std::string> mp3Alias_;
  int mp3LengthMs_ = 0;
  int mp3PositionMs_ = 0;
  bool mp3Playing_ = false;
};
