#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "music/mci_port.h"

// The background music's seam over the system's Media Control Interface and sound player. Every
// text crosses through the wide entry points, converted between UTF-8 and UTF-16, so that a music
// file whose path holds characters outside the ANSI code page opens and plays on a system of any
// language.
class Win32MciPort : public MciPort {
 public:
  // A command that is not well-formed UTF-8 or holds a NUL is not sent: the system would read a
  // different (shorter) command. It comes back as an unrecognized command.
  MciReply send(const std::string& command, size_t replyLength) override;
  std::optional<std::string> errorText(int32_t code, size_t bufferLength) override;
  uint32_t countWaveDevices() override;
  // The path is always taken as a file name (never as a sound alias from the registry). A path
  // with characters outside the ANSI code page goes by its short form when that one fits the code
  // page, since some sound players (Wine's) read file names through it. A path that is not
  // well-formed UTF-8 or holds a NUL plays nothing and returns 0.
  int32_t playSound(const std::optional<std::string>& path, uint32_t flags) override;
};
