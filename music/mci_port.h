#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// What one MCI command string gave back: 0 or the MCI error code, and the reply text.
struct MciReply {
  int32_t code = 0;
  std::string text;
};

// The Media Control Interface command strings and the system sound player, as the background
// music uses them. Texts are UTF-8. The Windows program implements this with the system's MCI and
// sound functions, the tests with a scripted device.
class MciPort {
 public:
  virtual ~MciPort() = default;
  // Sends one command and waits for it to be carried out. `replyLength` is the room for the reply
  // with its terminating NUL, 0 when no reply is wanted; the reply comes back up to its first NUL
  // (a reply that does not fit is an MCI error).
  virtual MciReply send(const std::string& command, size_t replyLength) = 0;
  // The system's text for an MCI error code, read into `bufferLength` characters with the NUL;
  // std::nullopt when the system has none.
  virtual std::optional<std::string> errorText(int32_t code, size_t bufferLength) = 0;
  // How many wave output devices the system has.
  virtual uint32_t countWaveDevices() = 0;
  // Hands the sound file at `path` to the sound player with its `flags`; std::nullopt stops
  // whatever the player plays. Returns the player's result: non-zero when it succeeded.
  virtual int32_t playSound(const std::optional<std::string>& path, uint32_t flags) = 0;
};
