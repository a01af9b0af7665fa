#include "host/command_line.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// The preview window handle starts at the fourth character: after "/p" and one separator.
constexpr size_t kPreviewHandleStart = 3;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length in bytes of the UTF-8 character that starts with `lead` (1 for a stray byte).
size_t CharacterLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  return 1;
}

// The text from character `index` (0-based, counted in UTF-8 characters) to the end.
std::string_view FromCharacter(std::string_view text, size_t index) {
  size_t at = 0;
  for (size_t i = 0; i < index && at < text.size(); ++i) {
    at += CharacterLength(static_cast<unsigned char>(text[at]));
  }
  return at < text.size() ? text.substr(at) : std::string_view{};
}

// Reads the window handle: leading blanks skipped, then a signed decimal number with an optional
// fraction, rounded to the nearest integer; reading stops at the first character that cannot
// continue it. Windows writes the handle as an unsigned 32-bit number, so values up to 2^32 - 1
// are taken as that bit pattern. No digits, or a value outside 32 bits, give 0 (no window).
int32_t ReadWindowHandle(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  const size_t start = at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const size_t digitsStart = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  bool anyDigit = at > digitsStart;
  if (at < text.size() && text[at] == '.') {
    const size_t fractionStart = ++at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    anyDigit = anyDigit || at > fractionStart;
  }
  if (!anyDigit) return 0;

  // from_chars takes no "+" sign.
  const size_t numberStart = text[start] == '+' ? start + 1 : start;
  double value = 0;
  const auto result = std::from_chars(text.data() + numberStart, text.data() + at, value);
  if (result.ec != std::errc()) return 0;
  const double rounded = std::nearbyint(value);  // halves go to the even neighbour
  constexpr double kLowest = std::numeric_limits<int32_t>::min();
  constexpr double kHighest = std::numeric_limits<uint32_t>::max();
  if (rounded < kLowest || rounded > kHighest) return 0;
  const int64_t whole = static_cast<int64_t>(rounded);
  return static_cast<int32_t>(static_cast<uint32_t>(whole));
}

}  // namespace

std::string_view ArgumentString(std::string_view commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t closing = commandLine.find('"', 1);
    at = closing == std::string_view::npos ? commandLine.size() : closing + 1;
  }
  while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
  while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
  return commandLine.substr(at);
}

std::string ModeLetter(std::string_view arguments) {
  const std::string_view rest = FromCharacter(arguments, 1);
  if (rest.empty()) return {};
  std::string letter(rest.substr(0, CharacterLength(static_cast<unsigned char>(rest[0]))));
  if (letter.size() == 1 && letter[0] >= 'a' && letter[0] <= 'z') {
    letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
  }
  return letter;
}

HostCommand ParseCommandLine(std::string_view arguments) {
  HostCommand command;
  const std::string letter = ModeLetter(arguments);
  if (letter == "S") {
    command.mode = HostMode::Saver;
    command.hideCursor = true;
  } else if (letter == "P") {
    command.mode = HostMode::Preview;
    command.previewWindow = ReadWindowHandle(FromCharacter(arguments, kPreviewHandleStart));
  } else if (letter == "C") {
    command.mode = HostMode::Settings;
  } else if (arguments.empty()) {
    command.mode = HostMode::Saver;
  }
  return command;
}
