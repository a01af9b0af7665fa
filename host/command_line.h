#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How the host was asked to run, taken from the screen-saver switches Windows passes.
enum class HostMode {
  Saver,     // "/s" or an empty argument string
  Preview,   // "/p <window>": a still picture inside the given window
  Settings,  // "/c" or "/c:<window>": the settings dialog
  None,      // anything else ("/a <window>", "s"): the host ends without a window
};

struct HostCommand {
  HostMode mode = HostMode::None;
  // Saver mode started with the "S" letter hides the cursor; an empty argument string does not.
  bool hideCursor = false;
  // Preview mode: the window to draw into, as the 32-bit handle value; 0 when none was readable.
  int32_t previewWindow = 0;
};

// The argument string of a whole process command line: what follows the program name (quoted or
// not) and the blanks after it.
std::string_view ArgumentString(std::string_view commandLine);

// The mode letter: the second character of the argument string, upper-cased, or "" when the
// string has fewer than two characters. The first character (normally "/" or "-") is ignored.
// Text is UTF-8.
std::string ModeLetter(std::string_view arguments);

// Decides the mode of an argument string (UTF-8) and, for preview, the window handle.
HostCommand ParseCommandLine(std::string_view arguments);
