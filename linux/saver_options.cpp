#include "linux/saver_options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

constexpr int kUsageExitCode = 1;
constexpr int kDecimal = 10;
constexpr int kHexadecimal = 16;
// X window sizes and places are 16-bit signed numbers.
constexpr int kLargestCoordinate = 32767;

// Reads the digits at `at` as a number up to kLargestCoordinate and moves `at` past them.
std::optional<int> ReadCoordinate(const std::string& text, size_t& at) {
  const size_t start = at;
  int value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0) {
    value = value * kDecimal + (text[at] - '0');
    if (value > kLargestCoordinate) {
      return std::nullopt;
    }
    ++at;
  }
  if (at == start) {
    return std::nullopt;
  }
  return value;
}

// Reads "+N" or "-N" at `at`; `fromFarEdge` tells which sign it was.
std::optional<int> ReadOffset(const std::string& text, size_t& at, bool& fromFarEdge) {
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) {
    return std::nullopt;
  }
  fromFarEdge = text[at] == '-';
  ++at;
  return ReadCoordinate(text, at);
}

// "--fps" and "-fps" are the same option.
std::string OptionName(const std::string& arg) {
  if (arg.rfind("--", 0) == 0) {
    return arg.substr(1);
  }
  return arg;
}

SaverCommand Refusal(const std::string& program, const std::string& problem) {
  SaverCommand command;
  command.message = program + ": " + problem + "\n" + SaverUsage(program);
  command.exitCode = kUsageExitCode;
  return command;
}

}  // namespace

std::string SaverUsage(const std::string& program) {
  return "usage: " + program +
         " [-window] [-root] [-window-id ID] [-geometry WxH+X+Y] [-display HOST:N]"
         " [-fps] [-pace] [-no-grab]\n"
         "  -window           draw in a window of its own (the default)\n"
         "  -root             draw on the root window, or on XScreenSaver's window\n"
         "  -window-id ID     draw into the window with that id\n"
         "  -geometry G       size and place of the own window\n"
         "  -display D        the X display to use\n"
         "  -fps              show the frame rate and load; print the pace line too\n"
         "  -pace             print the pace line on the standard error once a second\n"
         "  -no-grab          do not grab the desktop; the ground is a built-in picture\n";
}

std::optional<uint64_t> ParseWindowId(const std::string& text) {
  const bool hexadecimal = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
  const std::string digits = hexadecimal ? text.substr(2) : text;
  // strtoull alone would take blanks, signs and a second "0x".
  const auto isDigit = [hexadecimal](char c) {
    return hexadecimal ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                       : std::isdigit(static_cast<unsigned char>(c)) != 0;
  };
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
    return std::nullopt;
  }
  char* end = nullptr;
  errno = 0;
  const unsigned long long value =
      std::strtoull(digits.c_str(), &end, hexadecimal ? kHexadecimal : kDecimal);
  if (*end != '\0' || errno != 0 || value == 0) {
    return std::nullopt;
  }
  return value;
}

std::optional<WindowGeometry> ParseWindowGeometry(const std::string& text) {
  WindowGeometry geometry;
  size_t at = text.rfind('=', 0) == 0 ? 1 : 0;
  if (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0) {
    geometry.width = ReadCoordinate(text, at);
    if (!geometry.width || at >= text.size() || (text[at] != 'x' && text[at] != 'X')) {
      return std::nullopt;
    }
    ++at;
    geometry.height = ReadCoordinate(text, at);
    if (!geometry.height || *geometry.width == 0 || *geometry.height == 0) {
      return std::nullopt;
    }
  }
  if (at < text.size()) {
    geometry.x = ReadOffset(text, at, geometry.xFromRight);
    geometry.y = ReadOffset(text, at, geometry.yFromBottom);
    if (!geometry.x || !geometry.y) {
      return std::nullopt;
    }
  }
  if (at != text.size() || (!geometry.width && !geometry.x)) {
    return std::nullopt;
  }
  return geometry;
}

SaverCommand ParseSaverCommand(const std::string& program, const std::vector<std::string>& args,
                               const char* saverWindow) {
  SaverOptions options;
  const std::optional<uint64_t> saverWindowId =
      saverWindow != nullptr ? ParseWindowId(saverWindow) : std::nullopt;
  bool targetNamed = false;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string name = OptionName(args[i]);
    const bool hasValue = i + 1 < args.size();
    if (name == "-window") {
      options.target = DrawTarget::OwnWindow;
      targetNamed = true;
    } else if (name == "-root") {
      options.target = saverWindowId ? DrawTarget::GivenWindow : DrawTarget::RootWindow;
      options.windowId = saverWindowId.value_or(0);
      targetNamed = true;
    } else if (name == "-window-id") {
      const std::optional<uint64_t> id = hasValue ? ParseWindowId(args[i + 1]) : std::nullopt;
      if (!id) {
        return Refusal(
            program, hasValue ? "not a window id: " + args[i + 1] : "-window-id needs a window id");
      }
      options.target = DrawTarget::GivenWindow;
      options.windowId = *id;
      targetNamed = true;
      ++i;
    } else if (name == "-geometry") {
      if (!hasValue) {
        return Refusal(program, "-geometry needs a size and place, WxH+X+Y");
      }
      const std::optional<WindowGeometry> geometry = ParseWindowGeometry(args[++i]);
      if (!geometry) {
        return Refusal(program, "not a geometry (WxH, +X+Y or WxH+X+Y): " + args[i]);
      }
      options.geometry = *geometry;
    } else if (name == "-display") {
      if (!hasValue) {
        return Refusal(program, "-display needs a value");
      }
      options.display = args[++i];
    } else if (name == "-fps") {
      options.showFps = true;
    } else if (name == "-pace") {
      options.reportPace = true;
    } else if (name == "-no-grab") {
      options.grabDesktop = false;
    } else if (name == "-help" || name == "-h") {
      SaverCommand command;
      command.message = SaverUsage(program);
      return command;
    } else {
      return Refusal(program, "unknown option: " + args[i]);
    }
  }

  // Started by the XScreenSaver daemon with no target named: its window.
  if (!targetNamed && saverWindowId) {
    options.target = DrawTarget::GivenWindow;
    options.windowId = *saverWindowId;
  }
  SaverCommand command;
  command.options = options;
  return command;
}
